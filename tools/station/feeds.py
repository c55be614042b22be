"""The station web server's two XML feeds and the directory reply, as bytes on the wire."""

from xml.sax.saxutils import escape

import content

# The schedule comes in the Turkish 8-bit code page, as the station's old web server sends it;
# the announcements in UTF-8. Both say so in their XML declaration.
SCHEDULE_ENCODING = "windows-1254"
ANNOUNCEMENT_ENCODING = "utf-8"


def _element(name, text):
    return f"<{name}>{escape(text)}</{name}>"


def schedule_xml():
    entries = []
    for day, programme in content.schedule():
        parts = [_element("Day", day), _element("Hour", programme.hour),
                 _element("Name", programme.name), _element("Program", programme.program)]
        if programme.description is not None:
            parts.append(_element("Description", programme.description))
        entries.append("<Table>" + "".join(parts) + "</Table>")
    text = (f'<?xml version="1.0" encoding="{SCHEDULE_ENCODING}"?>\r\n'
            "<NewDataSet><streaming>" + "".join(entries) + "</streaming></NewDataSet>\r\n")
    return text.encode("cp1254")


def announcement_picture_path(number):
    return f"/duyuru/{number}.jpg"


def announcements_xml(base):
    items = []
    for i, item in enumerate(content.ANNOUNCEMENTS):
        picture = base + announcement_picture_path(item.picture) if item.picture else ""
        # Half of the bodies carry their markup in a CDATA section, half escaped: feeds do both.
        body = f"<Body><![CDATA[{item.body}]]></Body>" if i % 2 == 0 else _element("Body", item.body)
        items.append("<Item>" + _element("Title", item.title) + _element("ShortContent", item.short)
                     + body + _element("ImageUrl", picture) + "</Item>")
    text = (f'<?xml version="1.0" encoding="{ANNOUNCEMENT_ENCODING}"?>\r\n'
            "<Announcements><announcement>" + "".join(items) + "</announcement></Announcements>\r\n")
    return text.encode("utf-8")


def directory_text(version, download_url, records):
    """The directory reply: version, download address, then eight lines per station.

    records: lists of the eight fields of each station. No field may contain "__", which the
    player takes for a line break.
    """
    lines = [str(version), download_url]
    for record in records:
        assert len(record) == 8 and not any("__" in f for f in record)
        lines += record
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")
