#pragma once

#include <optional>

#include <QLocale>
#include <QString>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

// The interval run (ccbtnClick): captures the attached page again and again, the interval of Edit5
// apart, merging every capture into the table, until "stop" is ticked. It never navigates or clicks.
class IntervalRun {
  public:
    static const QString kInvalidMessage;
    static const QString kTooShortMessage;

    explicit IntervalRun(RunServices& services, QLocale locale = QLocale())
        : services_(services), locale_(std::move(locale)) {}

    // Seconds as a decimal number with the locale's separator, in whole milliseconds (fraction cut
    // off). Nothing when it is no number or below 0.1 seconds; message then says why.
    static std::optional<int> intervalMs(const QString& text, const QLocale& locale, QString* message);

    void Run(CaptureState& capture, ModesState& modes, StopSwitch& stop);

  private:
    RunServices& services_;
    QLocale locale_;
};

}  // namespace vorlaken
