// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/atspi_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QXmlStreamReader>
#include <algorithm>

namespace velto {
namespace {

// Where Qt's bridge serves every accessible object, one path below it each, on the
// connection it names "a11y".
const QString kBridgePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBridgeConnection = QStringLiteral("a11y");

// The methods of the standard interfaces, which every object answers besides those it
// declares.
const QHash<QString, QString>& StandardMethods() {
    static const QHash<QString, QString> methods = {
        {QStringLiteral("org.freedesktop.DBus.Properties.Get"), QStringLiteral("ss")},
        {QStringLiteral("org.freedesktop.DBus.Properties.Set"), QStringLiteral("ssv")},
        {QStringLiteral("org.freedesktop.DBus.Properties.GetAll"), QStringLiteral("s")},
        {QStringLiteral("org.freedesktop.DBus.Introspectable.Introspect"), QString(QLatin1String(""))},
        {QStringLiteral("org.freedesktop.DBus.Peer.Ping"), QString(QLatin1String(""))},
        {QStringLiteral("org.freedesktop.DBus.Peer.GetMachineId"), QString(QLatin1String(""))},
        // The bridge answers it without declaring it.
        {QStringLiteral("org.a11y.atspi.Accessible.GetInterfaces"), QString(QLatin1String(""))},
    };
    return methods;
}

// The text of the accessible object at `path`, as the bridge names objects: by their
// unique id, or "root" for the application.
QAccessibleTextInterface* TextAt(const QString& path) {
    bool known = false;
    const QAccessible::Id id = path.section(QLatin1Char('/'), -1).toUInt(&known);
    QAccessibleInterface* object = known ? QAccessible::accessibleInterface(id) : nullptr;
    return object != nullptr ? object->textInterface() : nullptr;
}

// `message` with its arguments kept within the text they refer to: the bridge asks for
// every character of a range in turn, and lengthens an inserted text to the length given.
QDBusMessage WithinText(const QDBusMessage& message) {
    QList<QVariant> arguments = message.arguments();
    const QString method = message.interface() + QLatin1Char('.') + message.member();
    if (method == QLatin1String("org.a11y.atspi.Text.GetRangeExtents") && message.signature() == QLatin1String("iiu")) {
        const QAccessibleTextInterface* text = TextAt(message.path());
        if (text == nullptr) return message;
        const int count = text->characterCount();
        const int start = arguments[0].toInt();
        const int end = arguments[1].toInt();
        arguments[0] = std::clamp(start, 0, count);
        arguments[1] = end == -1 ? count : std::clamp(end, 0, count);
    } else if (method == QLatin1String("org.a11y.atspi.EditableText.InsertText") && message.signature() == QLatin1String("isi")) {
        arguments[2] = std::clamp(arguments[2].toInt(), 0, static_cast<int>(arguments[1].toString().size()));
    } else {
        return message;
    }
    QDBusMessage kept = message;
    kept.setArguments(arguments);
    return kept;
}

class ActivationWatch : public QAccessible::ActivationObserver {
public:
    // The bridge puts itself on the bus right after it tells of the activation.
    void accessibilityActiveChanged(bool active) override {
        if (active) QMetaObject::invokeMethod(QCoreApplication::instance(), &GuardBridge, Qt::QueuedConnection);
    }

    static void GuardBridge() {
        QDBusConnection bus(kBridgeConnection);
        auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(kBridgePath));
        if (bridge == nullptr || qobject_cast<AtSpiGuard*>(bridge) != nullptr) return;
        bus.unregisterObject(kBridgePath);
        bus.registerVirtualObject(kBridgePath, new AtSpiGuard(bridge), QDBusConnection::SubPath);
    }
};

}  // namespace

AtSpiGuard::AtSpiGuard(QDBusVirtualObject* bridge) : QDBusVirtualObject(bridge), bridge_(bridge) {}

void AtSpiGuard::Install() {
    static ActivationWatch watch;
    QAccessible::installActivationObserver(&watch);
    if (QAccessible::isActive()) watch.accessibilityActiveChanged(true);
}

QString AtSpiGuard::introspect(const QString& path) const { return bridge_->introspect(path); }

QString AtSpiGuard::Declared(const QDBusMessage& message) {
    const QString method = message.interface() + QLatin1Char('.') + message.member();
    if (const auto standard = StandardMethods().constFind(method); standard != StandardMethods().constEnd())
        return *standard;
    if (const auto known = declared_.constFind(method); known != declared_.constEnd()) return *known;
    // Every object of an interface declares its methods alike: each is learnt once.
    QXmlStreamReader xml(QLatin1String("<node>") + bridge_->introspect(message.path()) + QLatin1String("</node>"));
    QString interface, name, types;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto tag = xml.name();
        if (xml.isStartElement() && tag == QLatin1String("interface")) {
            interface = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.isStartElement() && tag == QLatin1String("method")) {
            name = xml.attributes().value(QLatin1String("name")).toString();
            types = QLatin1String("");
        } else if (xml.isStartElement() && tag == QLatin1String("arg") &&
                   xml.attributes().value(QLatin1String("direction")) != QLatin1String("out")) {
            types += xml.attributes().value(QLatin1String("type"));
        } else if (xml.isEndElement() && tag == QLatin1String("method")) {
            declared_.insert(interface + QLatin1Char('.') + name, types);
        }
    }
    return declared_.value(method);
}

bool AtSpiGuard::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage) return bridge_->handleMessage(message, connection);
    const QString method = message.interface() + QLatin1Char('.') + message.member();
    const QString declared = Declared(message);
    QDBusError::ErrorType refusal = QDBusError::NoError;
    QString why;
    if (declared.isNull()) {
        refusal = QDBusError::UnknownMethod;
        why = QStringLiteral("%1 has no method %2").arg(message.path(), method);
    } else if (message.signature() != declared) {
        refusal = QDBusError::InvalidArgs;
        why = QStringLiteral("%1 takes (%2), not (%3)").arg(method, declared, message.signature());
    } else if (method == QLatin1String("org.a11y.atspi.Text.GetBoundedRanges")) {
        // Qt's bridge cannot send its answer, and leaves the call without one.
        refusal = QDBusError::NotSupported;
        why = QStringLiteral("%1 is not supported").arg(method);
    }
    if (refusal == QDBusError::NoError) return bridge_->handleMessage(WithinText(message), connection);
    if (message.isReplyRequired()) connection.send(message.createErrorReply(refusal, why));
    return true;
}

}  // namespace velto
