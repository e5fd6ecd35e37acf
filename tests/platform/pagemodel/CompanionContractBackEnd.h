#pragma once

#include "PageModelContract.h"
#include "support/CompanionRuntime.h"
#include "support/LoopbackHttpServer.h"

namespace vorlaken::test {

// The contract's back-end over the companion extension of a test browser (Chromium or Firefox).
class CompanionContractBackEnd : public ContractBackEnd {
  public:
    CompanionContractBackEnd(LoopbackHttpServer& server, const CompanionRuntime& runtime)
        : server_(server), runtime_(runtime) {}

    QString base() const override { return server_.url(QString()); }
    BrowserPtr show(const ContractCase& contractCase) override;

  private:
    LoopbackHttpServer& server_;
    const CompanionRuntime& runtime_;
};

}  // namespace vorlaken::test
