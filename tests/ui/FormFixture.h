#pragma once
// A full main window started against a loopback station directory, with the silent audio
// output, for tests of the window's layout and behaviour.

#include <gtest/gtest.h>

#include <memory>

#include "FixtureServer.h"
#include "Unit1.h"

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Creates the window; the directory offers `stations` stations. Not shown yet.
    TForm1& create(int stations = 2);
    // Creates, shows and waits until the window is exposed.
    TForm1& start(int stations = 2);
    // Makes one page visible and hides the other four, as the tab strip does.
    void showPage(QWidget* page);

    fixture::FixtureServer server;
    std::unique_ptr<TForm1> form;
};
