#include "modes/IntervalRun.h"

#include <climits>
#include <cmath>

#include "modes/RunSteps.h"
#include "modes/WaitPumping.h"

namespace vorlaken {

const QString IntervalRun::kInvalidMessage = QStringLiteral("Invalid interval!");
const QString IntervalRun::kTooShortMessage = QStringLiteral("The smallest interval is 0.1 seconds.");

std::optional<int> IntervalRun::intervalMs(const QString& text, const QLocale& locale, QString* message) {
    QLocale reading = locale;
    // A number here has no thousands: "1,000" in a locale that groups with commas is no interval.
    reading.setNumberOptions(reading.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double seconds = reading.toDouble(text, &ok);
    if (!ok || !std::isfinite(seconds)) {
        *message = kInvalidMessage;
        return std::nullopt;
    }
    if (seconds < 0.1) {
        *message = kTooShortMessage;
        return std::nullopt;
    }
    // The longest wait a timer takes; a longer interval only ever ends by "stop".
    const double ms = std::trunc(seconds * 1000.0);
    return ms >= double(INT_MAX) ? INT_MAX : int(ms);
}

void IntervalRun::Run(CaptureState& capture, ModesState& modes, StopSwitch& stop) {
    IntervalState& page = modes.interval;
    BrowserPtr browser = services_.finder->discover();
    if (!browser)
        return;
    capture.attached = browser;
    QString message;
    const std::optional<int> interval = intervalMs(page.interval, locale_, &message);
    if (!interval) {
        services_.desktop->showMessage(message);
        return;
    }
    RunSteps::offerToClear(capture, services_);

    page.savedLabel = QStringLiteral("Saved:0/0");
    page.saveEnabled = false;
    page.running = true;
    const bool mergeBefore = capture.merge;
    modes.buttonBarVisible = false;
    capture.merge = true;
    services_.refresh();

    do {
        try {
            RunSteps::captureAndCount(capture, services_, page.countLabel, QStringLiteral("Get pictures:"));
        } catch (const PageError&) {
            // A page that can no longer be read ends the run as "stop" would, every control given back.
            break;
        }
        services_.refresh();
        WaitPumping(*interval, stop);
        services_.refresh();
    } while (!RunSteps::stopped(stop) && !modes.closing);

    page.running = false;
    RunSteps::endRun(capture, modes, stop, mergeBefore, page.saveEnabled);
    services_.refresh();
}

}  // namespace vorlaken
