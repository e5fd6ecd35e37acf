// Build tool of the companion extension's packages:
//   manifest KEY.pem ID TEMPLATE OUT  writes the Chromium-family manifest with the key's public half
//                                     (fails unless the key gives the extension the id ID)
//   crx KEY.pem ZIP OUT               signs the zip archive into a CRX3 package
//   icon IN OUT.png                   writes a picture (an .ico of the program) as PNG
#include <cstdio>
#include <stdexcept>

#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include "CrxWriter.h"
#include "ExtensionKey.h"

using vorlaken::packer::CrxWriter;
using vorlaken::packer::ExtensionKey;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writeManifest(const QStringList& args) {
    const ExtensionKey key = ExtensionKey::fromPemFile(args.at(0));
    if (key.id() != args.at(1)) {
        throw std::runtime_error("the key gives the id " + key.id().toStdString() + ", not " +
                                 args.at(1).toStdString());
    }
    QByteArray manifest = readAll(args.at(2));
    manifest.replace("%KEY%", key.publicKeyDer().toBase64());
    writeAll(args.at(3), manifest);
}

void writeCrx(const QStringList& args) {
    const ExtensionKey key = ExtensionKey::fromPemFile(args.at(0));
    writeAll(args.at(2), CrxWriter(key).package(readAll(args.at(1))));
}

void writeIcon(const QStringList& args) {
    const QImage image(args.at(0));
    if (image.isNull() || !image.save(args.at(1), "PNG"))
        throw std::runtime_error("cannot turn " + args.at(0).toStdString() + " into a PNG picture");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    try {
        if (command == QLatin1String("manifest") && args.size() == 4) {
            writeManifest(args);
        } else if (command == QLatin1String("crx") && args.size() == 3) {
            writeCrx(args);
        } else if (command == QLatin1String("icon") && args.size() == 2) {
            writeIcon(args);
        } else {
            std::fprintf(stderr, "usage: manifest KEY ID TEMPLATE OUT | crx KEY ZIP OUT | icon IN OUT\n");
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
