#pragma once

#include <functional>
#include <memory>

#include <QHash>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/StopSwitch.h"
#include "results/ResultCommands.h"
#include "support/FakeBrowserFinder.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"

namespace vorlaken {

// A run of an enhanced mode over a fake browser that shows a small site: navigations show the page
// of the address (an empty page for others) and go back through the history the way a browser does,
// a moment after they were asked for (once events are let in), as a browser would.
// What the window would show is the state itself; refresh() records it and lets a test act meanwhile.
struct RunFixture {
    static constexpr const char* kStart = "http://site/start.htm";

    std::shared_ptr<FakeBrowser> browser = std::make_shared<FakeBrowser>();
    FakeBrowser preview;
    FakeBrowserFinder finder;
    FakeDesktop desktop;
    CaptureState capture;
    ModesState modes;
    StopSwitch stop;
    RunServices services;
    QHash<QString, QString> site;
    QStringList history;
    int renders = 0;
    // Called at every refresh of the window during the run.
    std::function<void()> onRefresh;
    // What the run showed at each refresh: running, button bar, merge.
    QList<std::tuple<bool, bool, bool>> shown;

    RunFixture() {
        capture.enhancedFilters.widthLimit = 0;
        capture.enhancedFilters.heightLimit = 0;
        site.insert(kStart, page("start", "<img src='/s.jpg' width=100 height=100>"));
        browser->showHtml(kStart, site.value(kStart));
        history << kStart;
        browser->onNavigate = [this](FakeBrowser& b, const QString& url) {
            QTimer::singleShot(0, &stop, [this, &b, url] {
                history << url;
                show(b, url);
            });
        };
        browser->onGoBack = [this](FakeBrowser& b) {
            QTimer::singleShot(0, &stop, [this, &b] {
                if (history.size() > 1) {
                    history.removeLast();
                    show(b, history.last());
                }
            });
        };
        preview.showPage(QStringLiteral("file:///grabnest.htm"), QString());
        finder.browser = browser;
        services.finder = &finder;
        services.desktop = &desktop;
        services.renderPreview = [this] { ++renders; };
        services.clearResult = [this] { ResultCommands::ClearResult(capture, preview, false); };
        services.refresh = [this] {
            shown.append({modes.multipage.running || modes.interval.running || modes.autoClick.running,
                          modes.buttonBarVisible, capture.merge});
            if (onRefresh)
                onRefresh();
        };
        services.secondMs = 1;
    }

    static QString page(const QString& title, const QString& body) {
        return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body);
    }

    void show(FakeBrowser& b, const QString& url) {
        b.showHtml(url, site.value(url, page(QStringLiteral("none"), QString())));
        // Where the site's pages click links, the fixture's handlers come back with every new document.
        if (onShown)
            onShown(b, url);
    }
    std::function<void(FakeBrowser&, const QString&)> onShown;

    // The captured picture paths, in table order.
    QStringList pictures() const {
        QStringList paths;
        for (const QString& url : capture.table.picUrl)
            paths << QUrl(url).path();
        return paths;
    }
};

}  // namespace vorlaken
