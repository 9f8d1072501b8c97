#include <faces/qt/windowing/cjk_font.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <filesystem>

namespace qtgui {

namespace {

// Families that draw Chinese, best first, and the files the Debian packages install them in.
const char* const kFamilies[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC",    "Noto Sans SC",
                                 "WenQuanYi Zen Hei",   "Droid Sans Fallback", "AR PL UMing CN"};
const char* const kFiles[] = {
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
};

QString InstalledFamily() {
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const char* wanted : kFamilies) {
        if (families.contains(QString::fromUtf8(wanted), Qt::CaseInsensitive)) return wanted;
    }
    return families.isEmpty() ? QString() : families.front();
}

QString LoadedFamily() {
    for (const char* file : kFiles) {
        if (!std::filesystem::exists(file)) continue;
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.front();
    }
    return {};
}

}  // namespace

QString UseCjkFont(double pointSize) {
    QString family = InstalledFamily();
    if (family.isEmpty()) family = LoadedFamily();
    if (family.isEmpty()) return {};
    QFont font(family);
    font.setPointSizeF(pointSize);
    QApplication::setFont(font);
    return family;
}

}  // namespace qtgui
