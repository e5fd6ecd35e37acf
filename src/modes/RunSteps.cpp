#include "modes/RunSteps.h"

#include "capture/Capture.h"
#include "common/Termination.h"

namespace vorlaken {

const QString RunSteps::kClearQuestion =
    QStringLiteral("You have got some pictures bylast operation. Would you like to clear?");

const QString RunSteps::kNotBackMessage =
    QStringLiteral("The opreation is done and maybe the web browser doesn't navigates back automatically.");

bool RunSteps::startWalk(RunWalk& run, RunServices& services) {
    try {
        run.startUrl = run.browser->locationUrl();
    } catch (const PageError&) {
        return false;
    }
    run.capture.attached = run.browser;
    offerToClear(run.capture, services);
    run.mergeBefore = run.capture.merge;
    run.capture.merge = true;
    return true;
}

void RunSteps::returnToStart(RunWalk& run, RunServices& services) {
    try {
        run.browser->navigate(run.startUrl);
    } catch (const PageError&) {
    }
    // Read at once: unless the last page shown was the start page the browser is still elsewhere.
    QString location;
    try {
        location = run.browser->locationUrl();
    } catch (const PageError&) {
        location = QStringLiteral("?");
    }
    if (location != run.startUrl && !run.modes.closing)
        services.desktop->showMessage(kNotBackMessage);
}

void RunSteps::offerToClear(CaptureState& capture, RunServices& services) {
    if (capture.table.isEmpty())
        return;
    if (services.desktop->ask(kClearQuestion, QStringLiteral("Hint"), Desktop::Buttons::YesNo) ==
            Desktop::Answer::Yes &&
        services.clearResult)
        services.clearResult();
}

void RunSteps::captureAndCount(CaptureState& capture, RunServices& services, QString& counter,
                               const QString& prefix) {
    Capture(capture, true);
    if (!capture.table.isEmpty() && services.renderPreview)
        services.renderPreview();
    counter = prefix + QString::number(capture.table.size());
}

bool RunSteps::stopped(const StopSwitch& stop) {
    return stop.isTicked() || Termination::requested();
}

void RunSteps::endRun(CaptureState& capture, ModesState& modes, StopSwitch& stop, bool mergeBefore,
                      bool& pageSaveEnabled) {
    modes.buttonBarVisible = true;
    capture.countLabel = QString::number(capture.table.size());
    capture.getEnabled = true;
    capture.saveEnabled = !capture.table.isEmpty();
    pageSaveEnabled = capture.saveEnabled;
    capture.merge = mergeBefore;
    stop.setTicked(false);
}

}  // namespace vorlaken
