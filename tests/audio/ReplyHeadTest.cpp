#include <gtest/gtest.h>

#include "ReplyHead.h"

namespace {

using audio::ReplyHead;

ReplyHead parse(std::initializer_list<const char*> lines) {
    ReplyHead head;
    for (const char* l : lines) {
        head.addLine(l);
    }
    return head;
}

TEST(ReplyHead, StatusLinesOfEveryKind) {
    EXPECT_EQ(parse({"ICY 200 OK\r\n", "\r\n"}).statusCode(), 200);
    EXPECT_EQ(parse({"HTTP/1.0 206 Partial\r\n"}).statusCode(), 206);
    EXPECT_EQ(parse({"HTTP/1.1 404 Not Found\r\n"}).statusCode(), 404);
    EXPECT_EQ(parse({"HTTP/1.1 2x0 Odd\r\n"}).statusCode(), 0);
    EXPECT_EQ(parse({"HTTP/1.1 20\r\n"}).statusCode(), 0);
    EXPECT_EQ(parse({"garbage\r\n"}).statusCode(), 0);
    EXPECT_TRUE(parse({"ICY 200 OK\r\n"}).isSuccess());
    EXPECT_FALSE(parse({"HTTP/1.1 500 Oops\r\n"}).isSuccess());
}

TEST(ReplyHead, RedirectHeadIsReplacedByTheNextReply) {
    ReplyHead head = parse({"HTTP/1.1 302 Found\r\n", "Location: /b\r\n", "\r\n"});
    EXPECT_TRUE(head.complete());
    EXPECT_TRUE(head.isInterim());
    EXPECT_FALSE(parse({"HTTP/1.1 302 Found\r\n", "\r\n"}).isInterim());
    head.addLine("HTTP/1.0 200 OK\r\n");
    head.addLine("icy-br:128\r\n");
    EXPECT_FALSE(head.complete());
    head.addLine("\r\n");
    EXPECT_TRUE(head.complete());
    EXPECT_FALSE(head.isInterim());
    EXPECT_EQ(head.block(), std::string("HTTP/1.0 200 OK\0icy-br:128\0\0", 28));
}

TEST(ReplyHead, HeaderValuesIgnoreCaseAndLeadingBlanks) {
    const ReplyHead head = parse({"HTTP/1.1 200 OK", "ICY-METAINT:  8192", "content-length:0",
                                  "icy-nameless: x", "Empty:", ""});
    EXPECT_EQ(head.value("icy-metaint"), "8192");
    EXPECT_EQ(head.value("Content-Length"), "0");
    EXPECT_EQ(head.value("empty"), "");
    EXPECT_FALSE(head.value("icy-name"));
    EXPECT_TRUE(head.hasIcy());
    EXPECT_FALSE(parse({"HTTP/1.1 200 OK", "Server: x", ""}).hasIcy());
    EXPECT_TRUE(parse({"ICY 200 OK", ""}).hasIcy());
}

}  // namespace
