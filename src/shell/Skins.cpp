#include "shell/Skins.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace vorlaken {

namespace {

QPalette vistaPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xDD, 0xE8, 0xF6));
    p.setColor(QPalette::WindowText, QColor(0x1E, 0x39, 0x5B));
    p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::AlternateBase, QColor(0xEA, 0xF1, 0xFB));
    p.setColor(QPalette::Button, QColor(0xC9, 0xDC, 0xF3));
    p.setColor(QPalette::ButtonText, QColor(0x10, 0x2A, 0x4C));
    p.setColor(QPalette::Highlight, QColor(0x33, 0x99, 0xFF));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    return p;
}

const char* kVistaSheet =
    "QPushButton, QToolButton { border: 1px solid #3C7FB1; border-radius: 4px; padding: 3px 10px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F2F8FE, stop:0.49 #DCEBFC,"
    " stop:0.5 #C1DBFC, stop:1 #A9CDF7); color: #102A4C; }"
    "QPushButton:hover, QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    " stop:0 #FFFFFF, stop:1 #BEE6FD); }"
    "QPushButton:disabled, QToolButton:disabled { color: #8FA3BA; border-color: #AFC4DB; }"
    "QGroupBox { border: 1px solid #8DB2E3; border-radius: 5px; margin-top: 8px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; color: #1E395B; }";

}  // namespace

QStringList Skins::names() {
    return {QStringLiteral("default"), QStringLiteral("vista"), QStringLiteral("desktop")};
}

void Skins::apply(int index) {
    if (index < 0 || index >= count())
        return;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // The desktop's style, as Qt chose it from the desktop's settings before any skin was applied.
    static const QString desktopStyle = QApplication::style()->name();
    if (index == Desktop) {
        app->setStyleSheet(QString());
        QApplication::setStyle(QStyleFactory::create(desktopStyle));
        // A palette with nothing of its own set takes every colour from the desktop's theme.
        QApplication::setPalette(QPalette());
    } else if (index == Default) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        app->setStyleSheet(QString());
        QApplication::setPalette(QApplication::style()->standardPalette());
    } else {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(vistaPalette());
        app->setStyleSheet(QString::fromLatin1(kVistaSheet));
    }
    current_ = index;
}

}  // namespace vorlaken
