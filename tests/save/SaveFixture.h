#pragma once

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

#include "capture/CaptureState.h"
#include "capture/CaptureTable.h"
#include "save/SaveRun.h"
#include "save/SaveState.h"
#include "support/FakeBrowserCache.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"
#include "support/FakeSaveProgress.h"

namespace vorlaken::test {

// One save run's world: a save folder in a temporary folder, a preview zone with form1, the window's
// state and fake services.
class SaveFixture {
  public:
    SaveFixture() {
        root = dir.path() + QStringLiteral("/");
        saveFolder = root + QStringLiteral("pictures/");
        QDir().mkpath(saveFolder);
        preview.page = preview.showPage(QStringLiteral("about:blank"), QString());
        form = preview.page->add(QStringLiteral("FORM"));
        form->attributes.insert(QStringLiteral("NAME"), QStringLiteral("form1"));

        save.saveFolder = saveFolder;
        save.subFolderRule = kNoSubFolder;
        save.localWebpage = false;
        capture.locationText = QStringLiteral("http://site.example/gallery.html");
        capture.pageDomain = QStringLiteral("site.example");
        capture.titleText = QStringLiteral("Gallery");
        capture.getEnabled = true;
        capture.saveEnabled = true;

        services.desktop = &desktop;
        services.cache = &cache;
        services.progress = &progress;
        services.previewZone = &preview;
        services.endPauseMs = 0;
        services.refresh = [this] { ++refreshes; };
    }

    // The elements of one preview row.
    struct PreviewRow {
        FakeElementPtr box;
        FakeElementPtr hidden;
        FakeElementPtr image;
    };

    // Appends preview row n: checkbox c<n>, hidden h<n>, anchor a<n> around image p<n>.
    PreviewRow addPicture(const QString& src, bool checked = true, int width = 100,
                          const QString& link = kPlaceholderLinkUrl) {
        const int n = ++rows;
        FakeElementPtr box = preview.page->add(QStringLiteral("INPUT"), form);
        box->data.type = QStringLiteral("checkbox");
        box->data.checked = checked;
        box->attributes.insert(QStringLiteral("NAME"), QStringLiteral("c%1").arg(n));
        FakeElementPtr hidden = preview.page->add(QStringLiteral("INPUT"), form);
        hidden->data.type = QStringLiteral("hidden");
        hidden->data.value = capture.locationText;
        FakeElementPtr anchor = preview.page->addLink(link, form);
        return {box, hidden, preview.page->addImage(src, width, width, anchor)};
    }

    void run() { SaveRun(capture, save, services, label); }

    // Bare names of the files in a folder (below root), sorted.
    QStringList filesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    QString root;
    QString saveFolder;
    FakeDesktop desktop;
    FakeBrowserCache cache;
    FakeSaveProgress progress;
    FakeBrowser preview;
    FakeElementPtr form;
    CaptureState capture;
    SaveState save;
    SaveServices services;
    QString label = QStringLiteral("Saved:0/0");
    int rows = 0;
    int refreshes = 0;
};

// Writes bytes into a new file and returns its name.
inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// The whole content of a file; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vorlaken::test
