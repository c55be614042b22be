#pragma once
// The contact page's links and the maker's link of the context menu. Each hands one address to
// the desktop's default handler, which only takes http and https addresses: a social address
// from the directory such as "file:///..." or a program path is never run. Nothing is
// reported either way. The two social addresses are read from the current station at each
// click, so they follow every station switch; an empty one does nothing.

#include <QString>
#include <functional>

#include "StationRecord.h"

namespace pages {

struct LinkAddresses {
    QString webSite;  // the station's web server, root page
    QString mapBase;  // the map service, ending in "/"
    QString maker;    // the maker's web site, root page
    static LinkAddresses station();
};

class ContactLinks {
public:
    using CurrentStation = std::function<app::StationRecord()>;

    ContactLinks(LinkAddresses addresses, CurrentStation currentStation);

    void openWebSite();  // Image6Click
    void openMap();      // Image8Click
    void openSocial1();  // Label9Click
    void openSocial2();  // Label10Click
    void openMaker();    // YazlmBrenvik1Click

    // The map service's page for the station's place.
    QString mapAddress() const;

private:
    // Owned by the GUI thread.
    LinkAddresses addresses_;
    CurrentStation currentStation_;
};

}  // namespace pages
