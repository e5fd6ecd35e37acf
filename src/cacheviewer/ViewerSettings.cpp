#include "ViewerSettings.h"

#include "common/WindowPlacement.h"

namespace vorlaken {

namespace {

const QString kSection = QStringLiteral("config");

}  // namespace

void ViewerSettings::load(const IniFile& file, ViewerState& state, const QRect& available) {
    state.urlInclude = file.readString(kSection, QStringLiteral("e3"), QString()).toLower();
    state.urlExclude = file.readString(kSection, QStringLiteral("e4"), QString()).toLower();
    state.otherFormat = file.readString(kSection, QStringLiteral("ext"), QString());
    state.cacheSaveFolder = file.readString(kSection, QStringLiteral("dir"), QString());
    state.widthLimit = qBound(0, file.readInteger(kSection, QStringLiteral("i1"), 80), 99999);
    state.heightLimit = qBound(0, file.readInteger(kSection, QStringLiteral("i2"), 80), 99999);
    const int size = file.readInteger(kSection, QStringLiteral("size"), 0);
    state.sizeMode = size >= 0 && size <= 2 ? size : 0;
    state.jpg = file.readBool(kSection, QStringLiteral("c1"), true);
    state.gif = file.readBool(kSection, QStringLiteral("c2"), true);
    state.png = file.readBool(kSection, QStringLiteral("c3"), true);
    state.bmp = file.readBool(kSection, QStringLiteral("c7"), true);
    const QRect design(230, 147, 734, 551);
    state.geometry = PlaceStoredWindow(file.readInteger(kSection, QStringLiteral("fx"), design.x()),
                                       file.readInteger(kSection, QStringLiteral("fy"), design.y()),
                                       file.readInteger(kSection, QStringLiteral("fw"), design.width()),
                                       file.readInteger(kSection, QStringLiteral("fh"), design.height()),
                                       design, available);
    state.autoUpgrade = file.readBool(kSection, QStringLiteral("autoupgrade"), true);
    state.timePassed = 1;
    state.timeUnit = ViewerState::Hour;
    state.previewLocal = true;
}

void ViewerSettings::store(const ViewerState& state, IniFile& file) {
    file.writeString(kSection, QStringLiteral("e3"), state.urlInclude);
    file.writeString(kSection, QStringLiteral("e4"), state.urlExclude);
    file.writeString(kSection, QStringLiteral("ext"), state.otherFormat);
    file.writeString(kSection, QStringLiteral("dir"), state.cacheSaveFolder);
    file.writeInteger(kSection, QStringLiteral("i1"), state.widthLimit);
    file.writeInteger(kSection, QStringLiteral("i2"), state.heightLimit);
    file.writeInteger(kSection, QStringLiteral("size"), state.sizeMode);
    file.writeBool(kSection, QStringLiteral("c1"), state.jpg);
    file.writeBool(kSection, QStringLiteral("c2"), state.gif);
    file.writeBool(kSection, QStringLiteral("c3"), state.png);
    file.writeBool(kSection, QStringLiteral("c7"), state.bmp);
    file.writeInteger(kSection, QStringLiteral("fw"), state.geometry.width());
    file.writeInteger(kSection, QStringLiteral("fh"), state.geometry.height());
    file.writeInteger(kSection, QStringLiteral("fx"), state.geometry.left());
    file.writeInteger(kSection, QStringLiteral("fy"), state.geometry.top());
    file.writeBool(kSection, QStringLiteral("autoupgrade"), state.autoUpgrade);
}

}  // namespace vorlaken
