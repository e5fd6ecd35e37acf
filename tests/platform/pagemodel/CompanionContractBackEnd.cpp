#include "CompanionContractBackEnd.h"

#include <QTest>

#include "../companion/CompanionProbe.h"

namespace vorlaken::test {

BrowserPtr CompanionContractBackEnd::show(const ContractCase& contractCase) {
    // Complete: its frames and pictures have ended loading.
    BrowserPtr browser = companionprobe::openPage(runtime_, server_.url(contractCase.pages.first().path));
    if (!browser) {
        QTest::qFail("The browser did not show the page through its companion.", __FILE__, __LINE__);
        return nullptr;
    }
    return browser;
}

}  // namespace vorlaken::test
