#include "platform/webzone/ZoneCollection.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "platform/webzone/ZoneElement.h"

namespace vorlaken {

ZoneCollection::ZoneCollection(std::shared_ptr<const ScriptRunner> runner, QString expression)
    : runner_(std::move(runner)), expression_(std::move(expression)) {}

int ZoneCollection::length() {
    return runner_
        ->run(QStringLiteral("var c=%1; if(!c) throw 'no collection'; return c.length;").arg(expression_))
        .toInt();
}

ElementPtr ZoneCollection::item(int index) {
    if (index < 0)
        return nullptr;
    const QString expression = QStringLiteral("(%1)[%2]").arg(expression_).arg(index);
    const bool exists = runner_->run(QStringLiteral("return !!(%1);").arg(expression)).toBool();
    if (!exists)
        return nullptr;
    return std::make_shared<ZoneElement>(runner_, expression);
}

QString ZoneCollection::readerFunction(unsigned fields) {
    QString body = QStringLiteral("function F(el){var o={};");
    const auto text = [](const QString& js) {
        return QStringLiteral("(function(){var t=%1;return typeof t==='string'?t:'';})()").arg(js);
    };
    const auto add = [&](unsigned flag, const char* name, const QString& js) {
        if (fields & flag)
            body += QStringLiteral("o.%1=%2;").arg(QLatin1String(name), js);
    };
    add(kTagName, "tagName", QStringLiteral("(el.tagName||'').toUpperCase()"));
    add(kSrc, "src", text(QStringLiteral("el.src")));
    add(kHref, "href", text(QStringLiteral("el.href")));
    add(kHrefAttribute, "hrefAttribute", QStringLiteral("(el.getAttribute&&el.getAttribute('HREF'))||''"));
    // Pictures report their displayed size; other elements their box.
    add(kWidth, "width", QStringLiteral("(typeof el.width==='number'?el.width:(el.offsetWidth||0))"));
    add(kHeight, "height", QStringLiteral("(typeof el.height==='number'?el.height:(el.offsetHeight||0))"));
    add(kType, "type", text(QStringLiteral("el.type")) + QStringLiteral(".toLowerCase()"));
    add(kValue, "value", text(QStringLiteral("el.value")));
    add(kChecked, "checked", QStringLiteral("!!el.checked"));
    add(kSourceIndex, "sourceIndex", QStringLiteral("SI(el)"));
    add(kParentTagName, "parentTagName",
        QStringLiteral("(el.parentElement?(el.parentElement.tagName||'').toUpperCase():'')"));
    add(kParentHrefAttribute, "parentHrefAttribute",
        QStringLiteral("((el.parentElement&&el.parentElement.getAttribute('HREF'))||'')"));
    add(kOuterHtml, "outerHtml", text(QStringLiteral("el.outerHTML")));
    add(kOuterText, "outerText", text(QStringLiteral("el.outerText")));
    add(kInnerHtml, "innerHtml", text(QStringLiteral("el.innerHTML")));
    add(kComplete, "complete", QStringLiteral("(el.complete!==false)"));
    body += QStringLiteral("return o;}");
    if (fields & kSourceIndex) {
        // One map of the document's elements per call keeps a full read linear.
        body += QStringLiteral(
            "var SIM=null;function SI(el){if(!SIM){SIM=new Map();"
            "var a=(el.ownerDocument||document).getElementsByTagName('*');"
            "for(var i=0;i<a.length;i++)SIM.set(a[i],i);}var v=SIM.get(el);return v===undefined?-1:v;}");
    }
    return body;
}

ElementData ZoneCollection::toData(const QJsonObject& o) {
    ElementData d;
    d.tagName = o.value(QStringLiteral("tagName")).toString();
    d.src = o.value(QStringLiteral("src")).toString();
    d.href = o.value(QStringLiteral("href")).toString();
    d.hrefAttribute = o.value(QStringLiteral("hrefAttribute")).toString();
    d.type = o.value(QStringLiteral("type")).toString();
    d.value = o.value(QStringLiteral("value")).toString();
    d.parentTagName = o.value(QStringLiteral("parentTagName")).toString();
    d.parentHrefAttribute = o.value(QStringLiteral("parentHrefAttribute")).toString();
    d.outerHtml = o.value(QStringLiteral("outerHtml")).toString();
    d.outerText = o.value(QStringLiteral("outerText")).toString();
    d.innerHtml = o.value(QStringLiteral("innerHtml")).toString();
    d.width = o.value(QStringLiteral("width")).toInt();
    d.height = o.value(QStringLiteral("height")).toInt();
    d.sourceIndex = o.value(QStringLiteral("sourceIndex")).toInt(-1);
    d.checked = o.value(QStringLiteral("checked")).toBool();
    d.complete = o.value(QStringLiteral("complete")).toBool(true);
    return d;
}

std::vector<ElementData> ZoneCollection::read(unsigned fields) {
    const QJsonValue answer =
        runner_->run(QStringLiteral("%1 var c=%2; if(!c) throw 'no collection'; var r=[];"
                                    "for(var i=0;i<c.length;i++) r.push(F(c[i])); return r;")
                         .arg(readerFunction(fields), expression_));
    std::vector<ElementData> items;
    const QJsonArray array = answer.toArray();
    items.reserve(array.size());
    for (const QJsonValue& value : array)
        items.push_back(toData(value.toObject()));
    return items;
}

void ZoneCollection::setChecked(const std::vector<int>& indexes, bool checked) {
    if (indexes.empty())
        return;
    QJsonArray list;
    for (int index : indexes)
        list.append(index);
    const QString json = QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
    runner_->run(QStringLiteral("var c=%1; if(!c) throw 'no collection'; var ix=%2;"
                                "for(var i=0;i<ix.length;i++){var e=c[ix[i]]; if(e) e.checked=%3;}")
                     .arg(expression_, json, checked ? QStringLiteral("true") : QStringLiteral("false")));
}

}  // namespace vorlaken
