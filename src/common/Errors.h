#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace vorlaken {

// One small hierarchy for everything the page model and the platform can fail with.
// Each command decides whether it swallows, reports or stops on these.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// A page-model operation failed: no document, a script error in the page, an element that is gone.
class PageError : public AppError {
public:
    using AppError::AppError;
};

// The browser or zone did not answer within its bound.
class TimeoutError : public PageError {
public:
    using PageError::PageError;
};

// The connection to the browser is closed or was never there.
class BrowserGoneError : public PageError {
public:
    using PageError::PageError;
};

// A platform service (file system, process start, clipboard, network) failed.
class PlatformError : public AppError {
public:
    using AppError::AppError;
};

}  // namespace vorlaken
