#pragma once

#include <functional>

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "capture/PageModel.h"

namespace vorlaken::test {

class LoopbackHttpServer;

// One page of a contract case: served at path, its whole HTML text.
struct ContractPage {
    QString path;
    QString html;
};

// A small page (the first of pages; the others are the documents of its frames, in order), what is
// done with it through the page model, and what every back-end must give. The results are lines of
// text in which %BASE% stands for the address of the server the pages come from.
struct ContractCase {
    const char* name;
    QList<ContractPage> pages;
    std::function<QStringList(Browser&)> run;
    QStringList expected;
};

// A picture every back-end can load: path and drawn size.
struct ContractPicture {
    QString path;
    QSize size;
};

// The same table of cases for every page-model back-end, so that none drifts from the others.
class PageModelContract {
  public:
    static const QList<ContractCase>& cases();
    static const QList<ContractPicture>& pictures();
    // A path no back-end can load a picture from.
    static QString missingPicture();

    // Serves every page and picture of the table.
    static void serve(LoopbackHttpServer& server);
    // One row per case for a data-driven test, with the column "case".
    static void addRows();
    // Shows the current row's case on the back-end and compares what it gives with the table.
    static void check(class ContractBackEnd& backEnd);
};

// A back-end under the contract: shows a case's pages and hands out the browser showing them.
class ContractBackEnd {
  public:
    virtual ~ContractBackEnd() = default;
    virtual QString base() const = 0;
    // Null (with the test failed) when the pages could not be shown.
    virtual BrowserPtr show(const ContractCase& contractCase) = 0;
};

}  // namespace vorlaken::test
