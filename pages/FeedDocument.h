#pragma once
// One parsed XML feed. The text goes to the parser byte for byte and the document's own
// encoding declaration or byte-order mark decides how it is decoded (UTF-8 when neither is
// there). Nothing is fetched while parsing: no DTD, no external entity, no network.
//
// Reading a value: the text of the first child element of that name, or empty when there is
// none. A value element that holds child elements is read by the text of all of them, in
// document order. Entity references the document declares for itself read as nothing, so a
// feed cannot make reading blow up; the predefined entities and character references work.

#include <QByteArray>
#include <memory>
#include <stdexcept>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace pages {

// The parser's error text for a feed that is not well-formed XML.
class FeedError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FeedDocument {
public:
    // Throws FeedError when the text is not well-formed. An empty text gives a document with
    // no elements at all.
    explicit FeedDocument(const QByteArray& text);
    ~FeedDocument();
    FeedDocument(const FeedDocument&) = delete;
    FeedDocument& operator=(const FeedDocument&) = delete;

    // The child elements, in document order, of the first element named listName under the
    // document element; none when it is missing.
    std::vector<const _xmlNode*> items(const char* listName) const;
    // The UTF-8 text of the first child element of item named name.
    static QByteArray value(const _xmlNode* item, const char* name);

private:
    struct FreeDoc {
        void operator()(_xmlDoc* doc) const;
    };
    std::unique_ptr<_xmlDoc, FreeDoc> doc_;
};

}  // namespace pages
