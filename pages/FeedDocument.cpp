#include "FeedDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QString>
#include <limits>

namespace pages {
namespace {

const xmlNode* firstChildElement(const xmlNode* parent, const char* name) {
    for (const xmlNode* node = parent ? parent->children : nullptr; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE &&
            xmlStrEqual(node->name, reinterpret_cast<const xmlChar*>(name))) {
            return node;
        }
    }
    return nullptr;
}

void appendText(const xmlNode* parent, QByteArray& out) {
    for (const xmlNode* node = parent->children; node; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            out.append(reinterpret_cast<const char*>(node->content));
        } else if (node->type == XML_ELEMENT_NODE) {
            appendText(node, out);
        }
    }
}

struct FreeContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

QString errorText(const xmlError* error) {
    if (!error || !error->message) {
        return QStringLiteral("XML document could not be parsed");
    }
    return QStringLiteral("%1 (line %2, column %3)")
        .arg(QString::fromUtf8(error->message).trimmed())
        .arg(error->line)
        .arg(error->int2);
}

}  // namespace

void FeedDocument::FreeDoc::operator()(_xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

FeedDocument::FeedDocument(const QByteArray& text) {
    if (text.isEmpty()) {
        return;
    }
    if (text.size() > std::numeric_limits<int>::max()) {
        throw FeedError("XML document too large");
    }
    xmlInitParser();
    const std::unique_ptr<xmlParserCtxt, FreeContext> context(xmlNewParserCtxt());
    if (!context) {
        throw FeedError("XML parser could not be created");
    }
    doc_.reset(xmlCtxtReadMemory(context.get(), text.constData(), static_cast<int>(text.size()),
                                 nullptr, nullptr,
                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc_ || !context->wellFormed) {
        doc_.reset();
        throw FeedError(errorText(xmlCtxtGetLastError(context.get())).toStdString());
    }
}

FeedDocument::~FeedDocument() = default;

std::vector<const _xmlNode*> FeedDocument::items(const char* listName) const {
    std::vector<const _xmlNode*> result;
    const xmlNode* list =
        firstChildElement(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr, listName);
    for (const xmlNode* node = list ? list->children : nullptr; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE) {
            result.push_back(node);
        }
    }
    return result;
}

QByteArray FeedDocument::value(const _xmlNode* item, const char* name) {
    QByteArray text;
    if (const xmlNode* element = firstChildElement(item, name)) {
        appendText(element, text);
    }
    return text;
}

}  // namespace pages
