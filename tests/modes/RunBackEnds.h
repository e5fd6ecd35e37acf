#pragma once

#include <memory>

#include <QString>

#include "capture/BrowserFinder.h"

namespace vorlaken::test {

class LoopbackHttpServer;

// A way the program reaches the user's browser, for tests that run the modes against a real one: its
// finder, and the page the user looks at put on an address.
class RunBackEnd {
  public:
    virtual ~RunBackEnd() = default;
    // Starts what the back-end needs (the browser with its endpoint, the extension...). False with the
    // reason in error.
    virtual bool start(QString* error) = 0;
    virtual BrowserFinder& finder() = 0;
    // Shows url in the page the user looks at, through the page model, and waits until its document
    // is there with every picture ended loading.
    bool open(const QString& url);
    // The DevTools endpoint of the browser behind the back-end (http://127.0.0.1:PORT), for a test that
    // arranges tabs and windows as a user would; empty where the browser has none.
    virtual QString devToolsEndpoint() const { return QString(); }
};

// One data row per back-end (column "backEnd"): Chromium over DevTools and over the companion extension,
// and where asked firefox-esr over the companion.
class RunBackEnds {
  public:
    static void addRows(bool withFirefox = false);
    // The back-end of the current row, started on first use; null (with the test failed) when it cannot
    // start.
    static RunBackEnd* current();
    // Ends every back-end started.
    static void stopAll();
};

}  // namespace vorlaken::test
