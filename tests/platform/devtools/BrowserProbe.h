#pragma once

#include <QJsonValue>
#include <QString>

#include "capture/PageModel.h"

// Test access to an attached page beyond the page model: JavaScript in the isolated world the page
// model reads through, or in the page's own world where its scripts live.
namespace probe {

QJsonValue evaluate(vorlaken::Browser& browser, const QString& expression);
QJsonValue evaluateInPage(vorlaken::Browser& browser, const QString& expression);
// True once the expression holds; page errors count as not yet.
bool waitFor(vorlaken::Browser& browser, const QString& expression, int timeoutMs = 10000);
// Discovers the page in front, navigates it to url and waits until its document is parsed.
vorlaken::BrowserPtr openPage(const QString& url);

}  // namespace probe
