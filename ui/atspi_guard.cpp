// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/atspi_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QVariantMap>
#include <QXmlStreamReader>
#include <algorithm>

namespace velto {
namespace {

// Where Qt's bridge serves every accessible object, one path below it each, on the
// connection it names "a11y"; and where it registers itself first, as the
// device-event controller, just before it makes the object that serves them, its child.
const QString kBridgePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kControllerPath = QStringLiteral("/org/a11y/atspi/registry/deviceeventcontroller");
const QString kBridgeConnection = QStringLiteral("a11y");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// The methods of the standard interfaces, which every object answers besides those it
// declares. Their interfaces have no properties.
const QHash<QString, QString>& StandardMethods() {
    static const QHash<QString, QString> methods = {
        {kProperties + QLatin1String(".Get"), QStringLiteral("ss")},
        {kProperties + QLatin1String(".Set"), QStringLiteral("ssv")},
        {kProperties + QLatin1String(".GetAll"), QStringLiteral("s")},
        {QStringLiteral("org.freedesktop.DBus.Introspectable.Introspect"), QString(QLatin1String(""))},
        {QStringLiteral("org.freedesktop.DBus.Peer.Ping"), QString(QLatin1String(""))},
        {QStringLiteral("org.freedesktop.DBus.Peer.GetMachineId"), QString(QLatin1String(""))},
        // The bridge answers it without declaring it.
        {QStringLiteral("org.a11y.atspi.Accessible.GetInterfaces"), QString(QLatin1String(""))},
    };
    return methods;
}

QString MethodOf(const QDBusMessage& message) { return message.interface() + QLatin1Char('.') + message.member(); }

// The D-Bus type of a value as a call carries it.
QString SignatureOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return qvariant_cast<QDBusArgument>(value).currentSignature();
    return QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
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
    const QString method = MethodOf(message);
    if (method == QLatin1String("org.a11y.atspi.Text.GetRangeExtents")) {
        const QAccessibleTextInterface* text = TextAt(message.path());
        if (text == nullptr) return message;
        const int count = text->characterCount();
        const int start = arguments[0].toInt();
        const int end = arguments[1].toInt();
        arguments[0] = std::clamp(start, 0, count);
        arguments[1] = end == -1 ? count : std::clamp(end, 0, count);
    } else if (method == QLatin1String("org.a11y.atspi.EditableText.InsertText")) {
        arguments[2] = std::clamp(arguments[2].toInt(), 0, static_cast<int>(arguments[1].toString().size()));
    } else {
        return message;
    }
    QDBusMessage kept = message;
    kept.setArguments(arguments);
    return kept;
}

// Puts a guard where the bridge serves its objects, unless one stands there: in the
// bridge's place, where that stands there already.
void StandGuard() {
    QDBusConnection bus(kBridgeConnection);
    QObject* there = bus.objectRegisteredAt(kBridgePath);
    if (!bus.isConnected() || qobject_cast<AtSpiGuard*>(there) != nullptr) return;
    auto* bridge = qobject_cast<QDBusVirtualObject*>(there);
    if (bridge != nullptr) bus.unregisterObject(kBridgePath);
    auto* guard = new AtSpiGuard(bridge);
    guard->setParent(QCoreApplication::instance());
    bus.registerVirtualObject(kBridgePath, guard, QDBusConnection::SubPath);
}

class ActivationWatch : public QAccessible::ActivationObserver {
public:
    // The bridge tells of its activation just before it puts its objects on the bus:
    // the guard stands there first, and the bridge's own registration finds it taken.
    void accessibilityActiveChanged(bool active) override {
        if (active) StandGuard();
    }
};

}  // namespace

AtSpiGuard::AtSpiGuard(QDBusVirtualObject* bridge) : bridge_(bridge) {}

void AtSpiGuard::Install() {
    static ActivationWatch watch;
    QAccessible::installActivationObserver(&watch);
    if (QAccessible::isActive()) StandGuard();
}

QDBusVirtualObject* AtSpiGuard::Bridge() const {
    if (bridge_ == nullptr) {
        const QObject* controller = QDBusConnection(kBridgeConnection).objectRegisteredAt(kControllerPath);
        if (controller != nullptr) bridge_ = controller->findChild<QDBusVirtualObject*>(QString(), Qt::FindDirectChildrenOnly);
    }
    return bridge_;
}

QString AtSpiGuard::introspect(const QString& path) const {
    const QDBusVirtualObject* bridge = Bridge();
    return bridge != nullptr ? bridge->introspect(path) : QString();
}

const AtSpiGuard::Declarations& AtSpiGuard::DeclaredAt(const QString& path) {
    // Objects with the same interfaces declare them alike: each text is read once.
    const QString text = introspect(path);
    if (const auto known = declared_.constFind(text); known != declared_.constEnd()) return *known;
    Declarations declared;
    declared.methods = StandardMethods();
    for (const QString& method : StandardMethods().keys()) declared.readable[method.section(QLatin1Char('.'), 0, -2)];
    QXmlStreamReader xml(QLatin1String("<node>") + text + QLatin1String("</node>"));
    QString interface, method;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto tag = xml.name();
        const auto attribute = [&xml](const char* name) { return xml.attributes().value(QLatin1String(name)).toString(); };
        if (xml.isStartElement() && tag == QLatin1String("interface")) {
            interface = attribute("name");
            declared.readable[interface];
        } else if (xml.isStartElement() && tag == QLatin1String("method")) {
            method = interface + QLatin1Char('.') + attribute("name");
            declared.methods[method] = QLatin1String("");
        } else if (xml.isStartElement() && tag == QLatin1String("arg") && !method.isEmpty() && attribute("direction") != QLatin1String("out")) {
            declared.methods[method] += attribute("type");
        } else if (xml.isEndElement() && tag == QLatin1String("method")) {
            method.clear();
        } else if (xml.isStartElement() && tag == QLatin1String("property")) {
            const QString name = attribute("name");
            const QString access = attribute("access");
            declared.types[interface + QLatin1Char('.') + name] = attribute("type");
            if (access.startsWith(QLatin1String("read"))) declared.readable[interface] << name;
            if (access.endsWith(QLatin1String("write"))) declared.writable << interface + QLatin1Char('.') + name;
        }
    }
    return *declared_.insert(text, declared);
}

QDBusError AtSpiGuard::Refusal(const QDBusMessage& message) {
    const QString method = MethodOf(message);
    const Declarations& declared = DeclaredAt(message.path());
    const auto types = declared.methods.constFind(method);
    if (types == declared.methods.constEnd())
        return {QDBusError::UnknownMethod, QStringLiteral("%1 has no method %2").arg(message.path(), method)};
    if (message.signature() != *types)
        return {QDBusError::InvalidArgs, QStringLiteral("%1 takes (%2), not (%3)").arg(method, *types, message.signature())};
    // Qt's bridge cannot send its answer, and leaves the call without one.
    if (method == QLatin1String("org.a11y.atspi.Text.GetBoundedRanges"))
        return {QDBusError::NotSupported, QStringLiteral("%1 is not supported").arg(method)};
    if (message.interface() != kProperties) return {};

    const QList<QVariant> arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    if (!declared.readable.contains(interface))
        return {QDBusError::UnknownInterface, QStringLiteral("%1 has no interface '%2'").arg(message.path(), interface)};
    if (message.member() == QLatin1String("GetAll")) return {};
    const QString name = arguments.value(1).toString();
    const QString property = interface + QLatin1Char('.') + name;
    const auto type = declared.types.constFind(property);
    if (type == declared.types.constEnd())
        return {QDBusError::UnknownProperty, QStringLiteral("%1 has no property '%2'").arg(message.path(), property)};
    if (message.member() == QLatin1String("Get") && !declared.readable.value(interface).contains(name))
        return {QDBusError::AccessDenied, QStringLiteral("%1 cannot be read").arg(property)};
    if (message.member() == QLatin1String("Set") && !declared.writable.contains(property))
        return {QDBusError::PropertyReadOnly, QStringLiteral("%1 cannot be set").arg(property)};
    if (message.member() == QLatin1String("Set")) {
        const QString given = SignatureOf(qvariant_cast<QDBusVariant>(arguments.value(2)).variant());
        if (given != *type)
            return {QDBusError::InvalidArgs, QStringLiteral("%1 takes a value of type %2, not %3").arg(property, *type, given)};
    }
    return {};
}

void AtSpiGuard::AnswerGetAll(const QDBusMessage& message, const QDBusConnection& connection) {
    const QString interface = message.arguments().value(0).toString();
    const QStringList names = DeclaredAt(message.path()).readable.value(interface);
    QVariantMap values;
    for (const QString& name : names) {
        // A call to the program's own name is answered within the program, at once.
        QDBusMessage get = QDBusMessage::createMethodCall(connection.baseService(), message.path(), kProperties,
                                                          QStringLiteral("Get"));
        get << interface << name;
        const QDBusMessage answer = connection.call(get);
        const QVariant value = answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()
                                   ? qvariant_cast<QDBusVariant>(answer.arguments().constFirst()).variant()
                                   : QVariant();
        // A property the bridge cannot give is left out, as D-Bus allows.
        if (value.isValid()) values.insert(name, value);
    }
    if (message.isReplyRequired()) connection.send(message.createReply(QVariant::fromValue(values)));
}

bool AtSpiGuard::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    QDBusVirtualObject* bridge = Bridge();
    if (message.type() != QDBusMessage::MethodCallMessage) return bridge != nullptr && bridge->handleMessage(message, connection);
    const QDBusError refusal = bridge != nullptr ? Refusal(message)
                                                 : QDBusError(QDBusError::UnknownObject, QStringLiteral("%1 is not served yet").arg(message.path()));
    if (refusal.isValid()) {
        if (message.isReplyRequired()) connection.send(message.createErrorReply(refusal));
        return true;
    }
    const QString method = MethodOf(message);
    if (method == kProperties + QLatin1String(".GetAll")) {
        AnswerGetAll(message, connection);
        return true;
    }
    const bool taken = bridge->handleMessage(WithinText(message), connection);
    // The bridge takes the registry's setting of the application's id without an answer.
    if (taken && method == kProperties + QLatin1String(".Set") && message.isReplyRequired() &&
        message.arguments().value(0).toString() == QLatin1String("org.a11y.atspi.Application") &&
        message.arguments().value(1).toString() == QLatin1String("Id"))
        connection.send(message.createReply());
    return taken;
}

}  // namespace velto
