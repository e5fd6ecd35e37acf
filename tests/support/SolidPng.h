#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace vorlaken::test {

// A PNG of one colour, for pages that need real pictures of known sizes.
QByteArray SolidPng(QSize size, const QColor& colour);

}  // namespace vorlaken::test
