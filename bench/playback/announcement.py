"""Opening an announcement in the player as a listener does: the announcements tab, then the
page's title strip, which opens the current row (the last one after a load)."""

import content  # the station's own module, on the path once stationproc is imported
from test_player import STRIP_TOP, TAB_WIDTH

ANNOUNCEMENTS_TAB = 3
FEED_PATH = "/istasyon/Announcement.aspx"


def click_in(desktop, window, x, y):
    left, top, _, _ = desktop.geometry(window)
    desktop.click(left + x, top + y)


def requested(station, path, since):
    return next((r for r in station.requests()[since:] if r["path"] == path), None)


def detail_view_shown(desktop, window):
    """The detail view covers the list with its white page."""
    white = [p for p in desktop.screenshot(window).region(0, 100, 320, 420) if min(p) >= 235]
    return True if len(white) > 0.4 * 320 * 320 else None


def open_last(session, desktop, station, player):
    """True once the last announcement's page shows with its picture fetched."""
    window = player.window()
    since = len(station.requests())
    click_in(desktop, window, (ANNOUNCEMENTS_TAB - 1) * TAB_WIDTH + TAB_WIDTH // 2,
             STRIP_TOP + 28)
    if not session.hold(10, lambda: requested(station, FEED_PATH, since)):
        return False
    session.hold(1.0)  # the rows are drawn after the feed's reply
    click_in(desktop, window, 160, 20)
    picture = f"/duyuru/{content.ANNOUNCEMENTS[-1].picture}.jpg"
    if not session.hold(15, lambda: requested(station, picture, since)):
        return False
    return bool(session.hold(10, lambda: detail_view_shown(desktop, window)))
