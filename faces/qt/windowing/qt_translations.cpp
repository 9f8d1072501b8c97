#include <faces/qt/windowing/qt_translations.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qtgui {

namespace {

QString CatalogueOf(const std::string& languageCode) {
    const QString code = QString::fromStdString(languageCode).toLower();
    if (code == QLatin1String("chs")) return QStringLiteral("qtbase_zh_CN");
    if (code == QLatin1String("cht")) return QStringLiteral("qtbase_zh_TW");
    return {};
}

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool UseQtTranslations(const std::string& languageCode) {
    auto& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString catalogue = CatalogueOf(languageCode);
    if (catalogue.isEmpty()) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(catalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

}  // namespace qtgui
