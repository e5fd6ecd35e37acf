#include "common/FreshOnce.h"

namespace vorlaken {

FreshOnce::FreshOnce(QString value, qint64 freshMs) : value_(std::move(value)), freshMs_(freshMs) {
    age_.start();
}

std::optional<QString> FreshOnce::take() {
    std::optional<QString> taken;
    taken.swap(value_);
    if (taken && age_.isValid() && age_.elapsed() < freshMs_)
        return taken;
    return std::nullopt;
}

}  // namespace vorlaken
