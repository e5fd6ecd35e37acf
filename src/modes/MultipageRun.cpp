#include "modes/MultipageRun.h"

#include <QCoreApplication>

#include "modes/ElementClicks.h"
#include "modes/MemoLines.h"
#include "modes/NavigableUrl.h"
#include "modes/RunSteps.h"
#include "modes/WaitPumping.h"

namespace vorlaken {

namespace {

constexpr int kShortestDisplaySeconds = 5;

}  // namespace

bool MultipageRun::isUrlEntry(const QString& line) {
    return line.left(4).toLower() == QLatin1String("http");
}

void MultipageRun::Run(CaptureState& capture, ModesState& modes, StopSwitch& stop) {
    MultipageState& page = modes.multipage;
    if (stop.isTicked()) {
        stop.setTicked(false);
        return;
    }
    if (page.displaySeconds < kShortestDisplaySeconds)
        return;
    BrowserPtr browser = services_.finder->discover();
    if (!browser)
        return;
    RunWalk run{capture, modes, stop, browser, QString(), false, {}};
    if (!RunSteps::startWalk(run, services_))
        return;

    page.running = true;
    page.saveEnabled = false;
    modes.buttonBarVisible = false;
    services_.refresh();

    // The number of entries is fixed now; the lines themselves are read as the list stands then.
    const int entries = page.testMode ? 1 : MemoLines::count(page.urlList);
    for (int i = 0; i < entries; ++i) {
        page.positionLabel = QStringLiteral("URL:%1/%2").arg(i + 1).arg(MemoLines::count(page.urlList));
        services_.refresh();
        QCoreApplication::processEvents();
        services_.refresh();
        if (stopped(run))
            break;
        const QString entry = MemoLines::at(page.urlList, i).trimmed();
        if (entry.isEmpty())
            continue;
        const bool goOn = isUrlEntry(entry) ? urlEntry(run, entry) : linkEntry(run, entry.toLower());
        if (!goOn)
            break;
    }
    finish(run);
}

bool MultipageRun::urlEntry(RunWalk& run, const QString& url) {
    MultipageState& page = run.modes.multipage;
    // A line that only begins like a web address ("httpx:...") is no page to show.
    if (!IsNavigable(url)) {
        run.skipped << url;
        return true;
    }
    try {
        run.browser->navigate(url);
    } catch (const PageError&) {
        return false;
    }
    wait(run, page.displaySeconds);
    if (stopped(run))
        return false;
    // A page entry goes back before its capture.
    if (page.navigateBack && !goBackAndWait(run))
        return false;
    if (stopped(run))
        return false;
    try {
        RunSteps::captureAndCount(run.capture, services_, page.countLabel, QStringLiteral("Get pictures:"));
    } catch (const PageError&) {
        return false;
    }
    services_.refresh();
    return true;
}

bool MultipageRun::linkEntry(RunWalk& run, const QString& address) {
    MultipageState& page = run.modes.multipage;
    // A link that is not there or does not take the click still leaves a page state to capture.
    // A link entry is an address, as a "jscript hyperlink" is: ClickLinkByAddress.
    ClickInPageOrFrames(*run.browser, FixedLinkKind::Script, address, run.modes.linkCode);
    wait(run, page.displaySeconds);
    if (stopped(run))
        return false;
    try {
        RunSteps::captureAndCount(run.capture, services_, page.countLabel, QStringLiteral("Get Pictures:"));
    } catch (const PageError&) {
        return false;
    }
    services_.refresh();
    // A clicked entry goes back after its capture.
    if (page.navigateBack && !goBackAndWait(run))
        return false;
    return !stopped(run);
}

bool MultipageRun::goBackAndWait(RunWalk& run) {
    try {
        run.browser->goBack();
    } catch (const PageError&) {
        return false;
    }
    wait(run, run.modes.multipage.backSeconds);
    return true;
}

bool MultipageRun::stopped(const RunWalk& run) const {
    return RunSteps::stopped(run.stop) || run.modes.closing;
}

void MultipageRun::wait(RunWalk& run, int seconds) {
    WaitPumping(seconds * services_.secondMs, run.stop);
    // What the user changed meanwhile (the list above all) counts from here on.
    services_.refresh();
}

void MultipageRun::finish(RunWalk& run) {
    run.modes.multipage.running = false;
    RunSteps::endRun(run.capture, run.modes, run.stop, run.mergeBefore, run.modes.multipage.saveEnabled);
    services_.refresh();
    if (!run.skipped.isEmpty() && !run.modes.closing)
        services_.desktop->showMessage(NotNavigatedMessage(run.skipped));
    RunSteps::returnToStart(run, services_);
}

}  // namespace vorlaken
