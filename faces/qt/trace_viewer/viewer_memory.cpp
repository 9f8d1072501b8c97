#include <faces/qt/trace_viewer/viewer_memory.h>

#include <QSettings>

namespace qtgui {

namespace {

constexpr const char* kOrganization = "trackquery";
constexpr const char* kApplication = "trackquery-gui";

QSettings UserSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganization, kApplication);
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// A key of the settings never holds a slash of its own (it would open a group).
QString KeyPart(const std::string& text) {
    return QString::fromLatin1(QByteArray::fromStdString(text).toPercentEncoding());
}

std::string FromKeyPart(const QString& part) {
    return QByteArray::fromPercentEncoding(part.toLatin1()).toStdString();
}

std::optional<QFont> ReadFont(const QSettings& settings, const QString& key) {
    QFont font;
    if (!settings.contains(key) || !font.fromString(settings.value(key).toString())) {
        return std::nullopt;
    }
    return font;
}

void WriteFont(QSettings& settings, const QString& key, const std::optional<QFont>& font) {
    if (font) {
        settings.setValue(key, font->toString());
    } else {
        settings.remove(key);
    }
}

}  // namespace

RememberedView ReadRememberedView(const QString& viewName) {
    QSettings settings = UserSettings();
    settings.beginGroup(KeyPart(viewName.toStdString()));
    RememberedView view;
    settings.beginGroup("geometry");
    for (const QString& window : settings.childKeys()) {
        view.geometry[window] = settings.value(window).toByteArray();
    }
    settings.endGroup();
    view.outerSplitter = settings.value("splitter/outer").toByteArray();
    view.rightSplitter = settings.value("splitter/right").toByteArray();
    settings.beginGroup("view");
    for (const QString& tool : settings.childKeys()) {
        view.viewChoices[tool.toStdString()] = settings.value(tool).toBool();
    }
    settings.endGroup();
    settings.beginGroup("columns");
    for (const QString& kind : settings.childGroups()) {
        settings.beginGroup(kind);
        for (const QString& column : settings.childKeys()) {
            const int width = settings.value(column).toInt();
            if (width > 0) view.columnWidths[{FromKeyPart(kind), FromKeyPart(column)}] = width;
        }
        settings.endGroup();
    }
    settings.endGroup();
    return view;
}

void WriteRememberedLayout(const QString& viewName, const RememberedView& view) {
    QSettings settings = UserSettings();
    settings.beginGroup(KeyPart(viewName.toStdString()));
    for (const auto& [window, geometry] : view.geometry) {
        settings.setValue("geometry/" + window, geometry);
    }
    if (!view.outerSplitter.isEmpty()) settings.setValue("splitter/outer", view.outerSplitter);
    if (!view.rightSplitter.isEmpty()) settings.setValue("splitter/right", view.rightSplitter);
    for (const auto& [tool, checked] : view.viewChoices) {
        settings.setValue("view/" + Text(tool), checked);
    }
}

void WriteColumnWidths(const QString& viewName,
                       const std::map<DetailColumnWidths::Key, int>& widths) {
    QSettings settings = UserSettings();
    settings.beginGroup(KeyPart(viewName.toStdString()));
    for (const auto& [key, width] : widths) {
        settings.setValue("columns/" + KeyPart(key.first) + "/" + KeyPart(key.second), width);
    }
}

ViewerLook ReadViewerLook() {
    QSettings settings = UserSettings();
    ViewerLook look;
    look.titleFont = ReadFont(settings, "look/titleFont");
    look.tableFont = ReadFont(settings, "look/tableFont");
    const QColor ground(settings.value("look/tableGround").toString());
    if (ground.isValid()) look.tableGround = ground;
    return look;
}

void WriteViewerLook(const ViewerLook& look) {
    QSettings settings = UserSettings();
    WriteFont(settings, "look/titleFont", look.titleFont);
    WriteFont(settings, "look/tableFont", look.tableFont);
    if (look.tableGround.isValid()) {
        settings.setValue("look/tableGround", look.tableGround.name());
    } else {
        settings.remove("look/tableGround");
    }
}

}  // namespace qtgui
