#include "save/SaveRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

#include "results/PreviewReadBack.h"
#include "save/Categories.h"
#include "save/Downloader.h"
#include "save/FileNaming.h"
#include "save/IndexPage.h"
#include "save/PictureSources.h"
#include "save/PictureType.h"
#include "save/SaveWriteError.h"
#include "save/TargetFolder.h"
#include "save/TransferQueue.h"
#include "save/UrlDecode.h"
#include "save/ZipPackage.h"

namespace vorlaken {

QString CacheLookup(BrowserCache& cache, const QString& url) {
    return cache.lookup(url);
}

void CacheScan(BrowserCache& cache, const QList<SaveEntry>& saveList, QStringList& cacheFiles) {
    // The first entry of each address, case folded: one hash look-up per cache entry instead of a
    // comparison with every picture.
    QHash<QString, qsizetype> firstOfUrl;
    firstOfUrl.reserve(saveList.size());
    for (qsizetype i = 0; i < saveList.size(); ++i) {
        const QString url = saveList[i].pictureUrl.toCaseFolded();
        if (!firstOfUrl.contains(url))
            firstOfUrl.insert(url, i);
    }
    qsizetype matches = 0;
    cache.enumerate([&](const BrowserCache::Entry& entry) {
        const auto at = firstOfUrl.constFind(entry.sourceUrl.toCaseFolded());
        if (at == firstOfUrl.constEnd())
            return true;
        if (cacheFiles[*at].isEmpty() && cache.materialize(entry))
            cacheFiles[*at] = entry.localFileName;
        ++matches;
        return matches < saveList.size();
    });
}

namespace {

constexpr int kPreviewPollMs = 100;

bool isLocalFile(const QString& url) {
    return QUrl(url).scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0;
}

bool tickedPictureLoading(const PreviewReadBack& page) {
    for (int i = 0; i < page.count; ++i) {
        if (page.checked[std::size_t(i)] && page.loading[std::size_t(i)])
            return true;
    }
    return false;
}

// Lets the preview go on loading; the user's clicks wait, as during any read of a zone.
void letPreviewLoad(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

QList<SaveEntry> ReadSaveList(Browser& previewZone, const QString& previewLocation, int waitMs) {
    // A picture that fails unticks itself once its load has ended, so the ticks are read after the
    // ticked pictures have ended loading; a slow one is not held against the user beyond the bound.
    const QDeadlineTimer deadline(qMax(waitMs, 0));
    PreviewReadBack page = PreviewReadBack::read(previewZone, previewLocation);
    while (tickedPictureLoading(page) && !deadline.hasExpired()) {
        letPreviewLoad(int(qMin<qint64>(kPreviewPollMs, deadline.remainingTime())));
        page = PreviewReadBack::read(previewZone, previewLocation);
    }

    QList<SaveEntry> list;
    for (int v : page.checkedRows()) {
        const auto row = std::size_t(v);
        // Width 0 also marks a picture not drawn yet; only a load that ended without a picture counts.
        if (page.loadFailed[row])
            continue;
        // A local file is only ever a picture of a local page: a web page naming one cannot have it
        // copied out.
        if (isLocalFile(page.picUrl[v]) && !isLocalFile(page.pageUrl[v]))
            continue;
        list.append({page.picUrl[v], page.linkUrl[v]});
    }
    return list;
}

namespace {

QDateTime nowOf(const SaveServices& services) {
    return services.now ? services.now() : QDateTime::currentDateTime();
}

void refresh(const SaveServices& services) {
    if (services.refresh)
        services.refresh();
}

void pause(int milliseconds) {
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The pictures loop and the products after it. Runs with the window's Get and Save disabled. Throws
// SaveWriteError when the target folder refuses a write: what was stored whole stays, nothing else
// is written. Transfers run ahead of the picture in hand, but pictures are named, stored, counted and
// shown strictly in the list's order, so the files are those a run of one picture at a time makes.
void runPictures(CaptureState& capture, SaveState& save, SaveServices& services, QString& counterLabel,
                 SaveRunData& run, const QString& runStamp) {
    SaveProgress& progress = *services.progress;
    const int total = int(run.saveList.size());
    Downloader::Limits limits;
    if (services.stallWindowMs > 0)
        limits.stallWindowMs = services.stallWindowMs;
    Downloader downloader(limits);
    if (capture.attached) {
        // Read once: the run goes on with them should the browser go away meanwhile.
        QStringList urls;
        for (const SaveEntry& entry : std::as_const(run.saveList))
            urls.append(entry.pictureUrl);
        downloader.readCookies(*capture.attached, urls);
    }
    TransferQueue transfers(downloader, qMax(1, services.transfersPerHost));
    PictureSources sources(*services.cache, run.saveList, transfers,
                           [&save](const QString& url) { return CanNamePicture(url, save); });
    // "stop saving" is honoured during a transfer too, and the program closing abandons the run.
    const std::function<bool()> stop = [&] { return save.closing || progress.stopTicked(); };

    for (int i = 0; i < total && !save.closing; ++i) {
        const SaveEntry& entry = run.saveList[i];
        if (entry.pictureUrl.isEmpty())
            continue;
        sources.planAhead(i);
        QString target;
        try {
            target = PictureFileName(run.folder, entry.pictureUrl, i + 1, total, runStamp, save);
        } catch (const UrlDecodeError&) {
            // One address that cannot be named costs that picture, not the run.
        }
        const StoreOutcome outcome = sources.store(i, target, stop);
        if (outcome.stored()) {
            const QString stored = save.autoRecognise ? RecognisePictureType(target) : target;
            run.saved.append({stored.mid(stored.lastIndexOf(u'/') + 1), entry.linkUrl, entry.pictureUrl});
        }
        // A transfer stopped without anyone asking: the application is quitting under the run.
        if (outcome.kind == StoreOutcome::kStopped && !progress.stopTicked())
            save.closing = true;
        if (save.closing)
            return;
        const QString text = QStringLiteral("Saved:%1/%2").arg(run.saved.size()).arg(total);
        counterLabel = text;
        progress.setText(text);
        progress.setPosition(int(run.saved.size()));
        refresh(services);
        if (outcome.kind == StoreOutcome::kWriteFailed)
            throw SaveWriteError(run.folder, outcome.reason);
        QCoreApplication::processEvents();
        if (save.closing)
            return;
        if (outcome.kind == StoreOutcome::kStopped || progress.stopTicked()) {
            progress.untick();
            break;
        }
    }
    // Transfers started for pictures the run does not reach go now, leaving nothing behind.
    transfers.cancelAll();
    if (save.closing)
        return;

    QString indexPage;
    QString failure;
    if (save.localWebpage) {
        const int columns = IndexPage::columns(services.desktop->screenWidth());
        const QStringList lines =
            IndexPage::lines(run, capture.titleText, capture.locationText,
                             IndexPage::comments(services.comments, run.saved), columns);
        indexPage = IndexPage::write(run, lines, nowOf(services), &failure);
        if (!failure.isEmpty())
            throw SaveWriteError(run.folder, failure);
        if (!indexPage.isEmpty())
            save.lastIndexPage = indexPage;
    }
    if (save.zipPackage) {
        ZipPackage::write(run, indexPage, nowOf(services), &failure);
        if (!failure.isEmpty())
            throw SaveWriteError(run.folder, failure);
    }
}

}  // namespace

void SaveRun(CaptureState& capture, SaveState& save, SaveServices& services, QString& counterLabel) {
    if (save.running) {
        services.desktop->beep();
        return;
    }
    // From here on another Save only beeps: waiting for the preview and the folder dialog let events in.
    save.running = true;
    const auto idle = qScopeGuard([&save] { save.running = false; });

    // The preview is read before any folder is made: a zone showing another page holds no choice of
    // the user's, and nothing is made for it.
    QList<SaveEntry> saveList;
    try {
        if (services.previewZone)
            saveList = ReadSaveList(*services.previewZone, services.previewLocation, services.previewWaitMs);
    } catch (const NotPreviewPageError&) {
        services.desktop->showMessage(kNotPreviewPageMessage);
        return;
    } catch (const AppError&) {
        return;  // a preview that cannot be read holds nothing to save
    }

    const TargetFolder target =
        ResolveTargetFolder(save, capture, *services.desktop, services.settings, nowOf(services));
    if (!target.ok)
        return;

    SaveRunData run;
    run.folder = target.folder;
    run.saveList = saveList;
    if (run.saveList.isEmpty())
        return;

    SaveProgress& progress = *services.progress;
    save.running = true;
    capture.getEnabled = false;
    capture.saveEnabled = false;
    progress.untick();
    progress.setText(QStringLiteral("Saved:0/0"));
    progress.setMaximum(int(run.saveList.size()));
    progress.setPosition(0);
    progress.show();
    refresh(services);

    bool failed = false;
    try {
        runPictures(capture, save, services, counterLabel, run, target.runStamp);
    } catch (const AppError& error) {
        failed = true;
        capture.getEnabled = true;
        capture.saveEnabled = true;
        progress.hide();
        save.running = false;
        save.closing = false;
        refresh(services);
        services.desktop->showMessage(error.text());
    }
    if (failed)
        return;

    capture.getEnabled = true;
    capture.saveEnabled = true;
    refresh(services);
    pause(services.endPauseMs);
    progress.hide();
    save.running = false;
    save.closing = false;
    if (!run.saved.isEmpty())
        progress.offerFolder(run.folder);
}

void StartSave(CaptureState& capture, SaveState& save, SaveServices& services, bool buttonEnabled,
               QString& counterLabel) {
    if (!buttonEnabled || save.running) {
        services.desktop->beep();
        return;
    }
    if (save.categoriesOn) {
        save.pendingSaveLabel = &counterLabel;
        if (services.popCategoryMenu)
            services.popCategoryMenu();
        return;
    }
    SaveRun(capture, save, services, counterLabel);
}

void ChooseCategory(CaptureState& capture, SaveState& save, SaveServices& services, const QString& caption) {
    if (save.running) {
        services.desktop->beep();
        return;
    }
    save.currentCategory = Categories::fromCaption(caption);
    // A choice that no Save button led to (a script's) counts on the main page's label.
    QString& label = save.pendingSaveLabel ? *save.pendingSaveLabel : capture.savedLabel;
    SaveRun(capture, save, services, label);
}

}  // namespace vorlaken
