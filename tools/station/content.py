"""What the demo station says: its streams, their titles, the week's programmes, the announcements.

Everything here is invented for the demo. Texts are Python str; the code that serves them picks
the bytes (UTF-8 for the directory, Windows-1254 for the schedule and the ICY titles).
"""

from dataclasses import dataclass, field


@dataclass(frozen=True)
class Stream:
    key: str  # short name used in paths and logs
    display_name: str
    mount: str  # Icecast mount point
    audio: str  # "mp3" or "aac"
    bitrate: int  # kbit/s
    rate: int  # Hz
    channels: int
    has_clip: bool
    cover_mode: str  # "g", "w-", "f-": the station fills in the address prefixes
    key_semitones: int  # transposes the synthesised music so the streams sound apart
    titles: tuple = field(default_factory=tuple)


STREAMS = (
    Stream(
        key="zelkor",
        display_name="Zelkor FM",
        mount="/zelkor.mp3",
        audio="mp3",
        bitrate=128,
        rate=44100,
        channels=2,
        has_clip=True,
        cover_mode="f-",
        key_semitones=0,
        titles=(
            "Deniz Ayral - Sonbahar Rüzgârı",
            "Barış Oral - İstanbul Geceleri",
            "Ece Tan & Kuzey Band - Yollar",
            "Selin Aktaş/Mert Koç - Rock & Roll Gecesi",
            "Umut Şahin - Güneşli Sabah",
            "REKLAM ARASI",
        ),
    ),
    Stream(
        key="pop",
        display_name="Zelkor FM Türkçe Pop",
        mount="/pop.aac",
        audio="aac",
        bitrate=96,
        rate=44100,
        channels=2,
        has_clip=False,
        cover_mode="g",
        key_semitones=5,
        titles=(
            "Yaz Yağmuru - Mavi Gökyüzü",
            "Ada Kaya - Kalbimin Sesi",
            "Poyraz Ekibi - Dans Et",
            "Çağla Işık - Özlem",
        ),
    ),
    Stream(
        key="klasik",
        display_name="Zelkor FM Klasik",
        mount="/klasik.mp3",
        audio="mp3",
        bitrate=64,
        rate=22050,
        channels=1,
        has_clip=False,
        cover_mode="w-",
        key_semitones=-3,
        titles=(
            "Oda Orkestrası - Bahar Senfonisi",
            "Lale Dörtlüsü - Gece Serenadı",
            "Piyano Akşamları - Nocturne No. 2",
        ),
    ),
)


def artist_of(title):
    """The artist part the player turns into a picture file name: before "-", then "/", then "&"."""
    if "-" not in title:
        return ""
    artist = title.split("-", 1)[0].strip()
    artist = artist.split("/", 1)[0].strip()
    return artist.split("&", 1)[0].strip()


# Artists of the stream with artist pictures, with the two colours of their picture.
ARTIST_COLOURS = {
    "Deniz Ayral": ("#1e5799", "#7db9e8"),
    "Barış Oral": ("#8e2de2", "#4a00e0"),
    "Ece Tan": ("#f7971e", "#ffd200"),
    "Selin Aktaş": ("#c31432", "#240b36"),
    "Umut Şahin": ("#11998e", "#38ef7d"),
}

COVER_COLOURS = (
    ("#ee0979", "#ff6a00"),
    ("#2193b0", "#6dd5ed"),
    ("#cc2b5e", "#753a88"),
    ("#42275a", "#734b6d"),
    ("#de6262", "#ffb88c"),
    ("#06beb6", "#48b1bf"),
)

DAYS = ("Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar")


@dataclass(frozen=True)
class Programme:
    hour: str
    name: str
    program: str  # the alternative name, used by the player when name is empty
    description: str | None  # None: the element is left out


_WEEKDAY = (
    Programme("07:00", "Güne Merhaba", "", "Güne enerjik şarkılar ve trafik bilgisiyle başlıyoruz."),
    Programme("10:00", "Sabah Keyfi", "", "Kahvenizi alın; istekleriniz ve sohbetlerle dolu bir sabah."),
    Programme("12:00", "Öğle Arası", "", ""),
    Programme("13:00", "", "Haber Bülteni", "Günün öne çıkan haberleri, hava durumu ve yol durumu."),
    Programme("14:00", "Yol Arkadaşım", "", "İşten eve dönerken size eşlik eden şarkılar."),
    Programme("18:00", "Akşam Üstü", "", None),
    Programme("20:00", "Türkü Köşesi", "", "Anadolu'nun dört bir yanından türküler; ağıtlar, oyun havaları."),
    Programme("23:00", "Gece Yarısı Şarkıları", "", "Sakin, yavaş ve içten: gecenin son saatleri için seçilmiş şarkılar."),
)

_SPECIAL = {
    "Cuma": (Programme("22:00", "Cuma Gecesi Partisi", "", "Haftanın yorgunluğunu dans ederek atın!"),),
    "Cumartesi": (
        Programme("11:00", "Haftanın Listesi", "", "En çok dinlenen 20 şarkı geri sayımla sizlerle."),
        Programme("16:00", "Spor Gündemi", "", "Maç sonuçları, yorumlar ve dinleyici telefonları."),
    ),
    "Pazar": (
        Programme("09:00", "Pazar Kahvaltısı", "", "Çay, simit ve güzel şarkılar. Ağır ağır uyanıyoruz."),
        Programme("15:00", "Caz Saati", "", "Klasik caz kayıtları ve günümüzün genç caz müzisyenleri."),
    ),
}


def schedule():
    """The week, as (day name, programme) in feed order: day by day, each day in time order."""
    week = []
    for day in DAYS:
        programmes = list(_SPECIAL.get(day, ()))
        if day not in ("Cumartesi", "Pazar"):
            programmes += _WEEKDAY
        else:
            programmes += [p for p in _WEEKDAY if p.hour >= "18:00"]
        programmes.sort(key=lambda p: p.hour)
        week += [(day, p) for p in programmes]
    return week


@dataclass(frozen=True)
class Announcement:
    title: str
    short: str
    body: str  # HTML
    picture: int  # number of the announcement picture, 0 for none


ANNOUNCEMENTS = (
    Announcement(
        "Zelkor FM yeni frekansında!",
        "Artık 98.7'de, daha güçlü bir sinyalle yayındayız.",
        "<p>Değerli dinleyicilerimiz, <b>1 Aralık</b> itibarıyla yeni frekansımız <b>98.7</b>.</p>"
        "<p>Şehrin her köşesinden daha net dinleyebilirsiniz.</p>",
        1,
    ),
    Announcement(
        "Yılbaşı konseri biletleri satışta",
        "Zelkor FM sanatçılarıyla unutulmaz bir gece.",
        "<p>31 Aralık gecesi <i>Kültür Merkezi</i>'nde sahnedeyiz. Biletler sınırlı!</p>",
        2,
    ),
    Announcement(
        "Dinleyici anketi",
        "Hangi programları daha çok seviyorsunuz? Fikriniz bizim için önemli.",
        "<p>Mesaj sayfamızdan görüşlerinizi iletin; <b>her ay</b> bir dinleyicimize hediye çeki.</p>",
        0,
    ),
    Announcement(
        "Stüdyomuz yenilendi",
        "Yeni stüdyomuzdan ilk yayınlar başladı.",
        "<p>Modern ekipmanlarla donatılan stüdyomuzu ziyaret etmek ister misiniz?</p>",
        3,
    ),
    Announcement(
        "Genç yeteneklere kapımız açık",
        "Kendi şarkılarını yapan gençler, demolarınızı bekliyoruz.",
        "<p>Seçilen şarkılar <b>Haftanın Listesi</b> programında çalınacak.</p>",
        4,
    ),
    Announcement(
        "Yayın akışımızda hafta sonu değişikliği ve Pazar Kahvaltısı",
        "Pazar sabahları artık kahvaltı sofrasında buluşuyoruz.",
        "<p>Pazar Kahvaltısı her hafta <b>09:00</b>'da. Çayınızı demleyin!</p>",
        5,
    ),
)

ANNOUNCEMENT_PICTURES = 5
