#include "modes/AutoClickRun.h"

#include <QCoreApplication>
#include <QThread>

#include "capture/Capture.h"
#include "modes/AutoClickSteps.h"
#include "modes/ElementClicks.h"
#include "modes/MemoLines.h"
#include "modes/RunSteps.h"
#include "modes/WaitPumping.h"

namespace vorlaken {

const QString AutoClickRun::kNoFixedLinkMessage = QStringLiteral("Plase input fixed link");

void AutoClickRun::Run(CaptureState& capture, ModesState& modes, StopSwitch& stop) {
    AutoClickState& page = modes.autoClick;
    if (stop.isTicked()) {
        stop.setTicked(false);
        return;
    }
    if (page.clickTimes < 1 || page.clickInterval < 1)
        return;
    BrowserPtr browser = services_.finder->discover();
    if (!browser)
        return;
    if (page.way == ClickWay::FixedLink && page.linkText.isEmpty()) {
        page.step = 0;
        services_.desktop->showMessage(kNoFixedLinkMessage);
        return;
    }
    RunWalk run{capture, modes, stop, browser, QString(), false, {}};
    if (!RunSteps::startWalk(run, services_))
        return;
    page.savedLabel = QStringLiteral("Saved:0/0");

    page.running = true;
    page.saveEnabled = false;
    modes.buttonBarVisible = false;
    services_.refresh();

    const int clicks = page.testMode ? 1 : page.clickTimes;
    for (int k = 1; k <= clicks; ++k) {
        page.clickLabel = QStringLiteral("Click:%1/%2").arg(k).arg(clicks);
        services_.refresh();
        QCoreApplication::processEvents();
        services_.refresh();
        if (stopped(run))
            break;
        if (!clickStep(run, k))
            break;
        WaitPumping(page.clickInterval * services_.secondMs, stop);
        services_.refresh();
        if (stopped(run))
            break;
        try {
            RunSteps::captureAndCount(capture, services_, page.countLabel, QStringLiteral("Get pictures:"));
        } catch (const PageError&) {
            break;
        }
        services_.refresh();
    }
    finish(run);
}

bool AutoClickRun::clickStep(RunWalk& run, int k) {
    const AutoClickState& page = run.modes.autoClick;
    switch (page.way) {
        case ClickWay::BigToBig:
            return clickBiggest(run);
        case ClickWay::SmallToBig: {
            // The list may have been cut after step 2 locked the click times: a click beyond its end
            // is left out.
            const QStringList lines = MemoLines::split(page.smallPictures);
            if (k <= lines.size())
                ClickInPageOrFrames(*run.browser, FixedLinkKind::Image, lines[k - 1], run.modes.linkCode);
            return true;
        }
        case ClickWay::FixedLink:
            ClickInPageOrFrames(*run.browser, page.linkKind, page.linkText, run.modes.linkCode);
            return true;
        case ClickWay::Keyboard:
            try {
                SendNavigateKey(*run.browser, AutoClickSteps::keyCodeOf(page.keyCode));
            } catch (const PageError&) {
            }
            return true;
        case ClickWay::Popup:
            return true;
    }
    return true;
}

bool AutoClickRun::clickBiggest(RunWalk& run) {
    BigPictureProbe& probe = run.capture.probe;
    probe.probe = true;
    probe.reset();
    try {
        Capture(run.capture, false);
        if (!run.capture.table.isEmpty() && services_.renderPreview)
            services_.renderPreview();
        run.modes.autoClick.countLabel =
            QStringLiteral("Get Pictures:") + QString::number(run.capture.table.size());
    } catch (const PageError&) {
        probe.probe = false;
        return false;
    }
    services_.refresh();
    const bool linked =
        probe.biggestLinkedBrowser && probe.biggestLinkedElement && probe.biggestLinkedArea != 0;
    ElementPtr target = linked ? probe.biggestLinkedElement : probe.biggestElement;
    if (!target) {
        probe.probe = false;
        return false;
    }
    try {
        target->click();
    } catch (const PageError&) {
    }
    probe.probe = false;
    // The candidates hold elements of a page that is going away.
    probe.reset();
    return true;
}

void AutoClickRun::SendNavigateKey(Browser& browser, int keyCode) {
    const int key = keyCode & 0xFFFF;
    browser.postKey(key, true);
    // A page tells a press from a held key by the time between down and up.
    QThread::msleep(50);
    browser.postKey(key, false);
}

bool AutoClickRun::stopped(const RunWalk& run) const {
    return RunSteps::stopped(run.stop) || run.modes.closing;
}

void AutoClickRun::finish(RunWalk& run) {
    AutoClickState& page = run.modes.autoClick;
    page.running = false;
    RunSteps::endRun(run.capture, run.modes, run.stop, run.mergeBefore, page.saveEnabled);
    services_.refresh();
    if (page.navigateBack)
        RunSteps::returnToStart(run, services_);
}

}  // namespace vorlaken
