#include "AnnouncementsPage.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QWebEngineView>
#include <exception>

#include "AnnouncementTable.h"
#include "DataSource.h"
#include "FeedDocument.h"
#include "FrozenWhileHidden.h"
#include "GridTemplates.h"
#include "ShowHtmlInBrowser.h"

namespace pages {

AnnouncementsPage::AnnouncementsPage(const AnnouncementControls& controls, ShowMessage showMessage)
    : FeedPage(AnnouncementFields(), std::move(showMessage)), controls_(controls) {
    SetAnnouncementTemplate(controls_.grid, controls_.rowPicture);
    ConnectDataSource(&table_, controls_.grid);
    if (controls_.browser != nullptr) {
        new FrozenWhileHidden(controls_.browser);
    }
}

void AnnouncementsPage::loadAnnouncements() {
    if (loading_) {
        loadAgain_ = true;
        return;
    }
    const QScopedValueRollback<bool> loading(loading_, true);
    do {
        loadAgain_ = false;
        try {
            LoadAnnouncementTable(table_, feedText_, [] { QCoreApplication::processEvents(); });
        } catch (const FeedError& error) {
            showMessage_(QString::fromUtf8(error.what()));
        }
    } while (loadAgain_);
}

void AnnouncementsPage::gridClick() {
    if (table_.currentRow() < 0) {
        return;
    }
    try {
        controls_.browser->resize(controls_.browser->width(), 354);
        ShowHtmlInBrowser(controls_.browser, AnnouncementPage(table_));
        controls_.detailView->setVisible(true);
    } catch (const std::exception&) {
        // A detail view that cannot be built stays as it was.
    }
}

void AnnouncementsPage::closeDetail() {
    controls_.detailView->setVisible(false);
}

}  // namespace pages
