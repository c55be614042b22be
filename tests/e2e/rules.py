"""The player's own rules for what it sends, written out independently so that tests can predict
the exact requests: the query encoding, the artist picture file name and the scraping of the
image search reply."""

KEPT = set(b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!$'()*-.@_")
SEARCH_TAIL = "&um=1&hl=tr&biw=1362&bih=585&uss=1"


def encode_query_value(text):
    out = []
    for byte in text.encode("cp1254"):
        if byte in KEPT:
            out.append(chr(byte))
        elif byte == 32:
            out.append("+")
        else:
            out.append(f"%{byte:02X}")
    return "".join(out)


def artist_image_file_name(title):
    """Returns the file name as code page 1254 bytes: letters outside ASCII are not encoded."""
    title = title.strip()
    part = title.split("-", 1)[0].strip() if "-" in title else ""
    if "/" in part:
        part = part.split("/", 1)[0].strip()
    if "&" in part:
        part = part.split("&", 1)[0].strip()
    return (part.replace(" ", "%20").strip() + ".JPG").encode("cp1254")


def scrape_image_address(reply):
    """The thumbnail address the player takes from an image search reply, or None."""
    p = reply.find("src=http://")
    if p < 0:
        return None
    window = reply[p + 11:p + 11 + 500]
    q = window.find(":http://")
    address = "http://" + (window[:q] if q > 0 else "")
    return address if len(address) >= 10 else None
