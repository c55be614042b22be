#include "FeedPage.h"

namespace pages {

FeedPage::FeedPage(const QList<MemDataField>& fields, ShowMessage showMessage)
    : table_(fields), showMessage_(std::move(showMessage)) {}

FeedPage::~FeedPage() = default;

}  // namespace pages
