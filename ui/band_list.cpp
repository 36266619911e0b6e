// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/band_list.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QFontMetrics>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "ui/accessible_text.h"
#include "ui/label.h"

namespace velto {
namespace {

QAccessible::UpdateHandler g_nextHandler = nullptr;

// Whether `object` is the view of a band list's open list, which lies in a frame of the
// list's own.
bool IsOpenList(const QObject* object) {
    const QObject* frame = qobject_cast<const QAbstractItemView*>(object) != nullptr ? object->parent() : nullptr;
    return frame != nullptr && qobject_cast<const BandList*>(frame->parent()) != nullptr;
}

bool IsTextEvent(QAccessible::Event type) {
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        return true;
    default:
        return false;
    }
}

// While a list changes its own text part (a pick writes the entry's text, or the focus
// comes or goes and the text is selected or deselected), the text part announces
// deletions, insertions, caret moves and selections, and a screen reader speaks each:
// a colour twice, "selection deleted", fragments of words. Those are not passed on;
// every other announcement goes on as before.
// A pick also changes the list's value, which Qt's bridge passes on as a change of the
// list's name (the entry's text, on Linux): Orca 48 then says the list, the colour and
// the colour again, before the colour that the text part announces. Held back too.
// The open list's selection follows every pick, the list open or not. Qt's own open list
// tells screen readers to leave its selection alone (it "manages its descendants", as
// a table), and they follow its entries by the focus instead; the program's says the
// same by keeping its selection to itself, which Orca 48 would otherwise take for the
// focus, reading an entry of a closed list where the list is.
bool IsSelectionEvent(QAccessible::Event type) {
    return type == QAccessible::Selection || type == QAccessible::SelectionAdd || type == QAccessible::SelectionRemove ||
           type == QAccessible::SelectionWithin;
}

void HoldBackTextNoise(QAccessibleEvent* event) {
    const auto* edit = qobject_cast<const QLineEdit*>(event->object());
    const auto* list = edit != nullptr ? qobject_cast<const BandList*>(edit->parent()) : nullptr;
    if (list != nullptr && list->isChangingItself() && IsTextEvent(event->type())) return;
    if (event->type() == QAccessible::ValueChanged && qobject_cast<const BandList*>(event->object()) != nullptr) return;
    if (IsSelectionEvent(event->type()) && IsOpenList(event->object())) return;
    if (g_nextHandler != nullptr) {
        g_nextHandler(event);
        return;
    }
    // No other handler: hand the event to the platform's accessibility bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(HoldBackTextNoise);
}

// How assistive technology sees a list's text part: as Qt sees a line edit, but for its
// text, which reads and changes through offsets checked against it.
class BandTextAccessible : public QAccessibleWidget, public AccessibleText, public QAccessibleEditableTextInterface {
public:
    explicit BandTextAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text kind) const override {
        const QString value = kind == QAccessible::Value ? readText() : QString();
        return value.isEmpty() ? QAccessibleWidget::text(kind) : value;
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value) {
            edit()->setText(text);
        } else {
            QAccessibleWidget::setText(kind, text);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString readText() const override { return edit()->displayText(); }
    using AccessibleText::text;
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(Clamped(position)); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !edit()->hasSelectedText()) return;
        *start = static_cast<int>(edit()->selectionStart());
        *end = *start + static_cast<int>(edit()->selectedText().size());
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index != 0) return;
        const int from = Clamped(start);
        edit()->setSelection(from, Clamped(end) - from);
    }
    QRect characterRect(int offset) const override {
        const Places& places = Placed();
        if (offset < 0 || offset >= places.text.size()) return {};
        // The caret knows how far the text is scrolled: the character stands as far from
        // it as the text between them is wide.
        const qreal x = places.caret.center().x() + places.lefts[offset] - places.lefts[places.cursor];
        const qreal width = places.lefts[offset + 1] - places.lefts[offset];
        return {edit()->mapToGlobal(QPoint(qRound(x), places.caret.top())), QSize(qRound(width), places.caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        // Any point a screen may have; farther ones are nowhere near the text anyway.
        constexpr int kFar = 1 << 24;
        const QPoint onScreen(std::clamp(point.x(), -kFar, kFar), std::clamp(point.y(), -kFar, kFar));
        return edit()->cursorPositionAt(edit()->mapFromGlobal(onScreen));
    }
    void scrollToSubstring(int start, int end) override {
        edit()->setCursorPosition(Clamped(end));
        edit()->setCursorPosition(Clamped(start));
    }

    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override {
        edit()->setText(edit()->text().insert(Clamped(offset), text));
    }
    void replaceText(int start, int end, const QString& text) override {
        const int from = Clamped(start);
        const int to = end == -1 ? characterCount() : Clamped(end);
        if (from > to) return;
        edit()->setText(edit()->text().replace(from, to - from, text));
    }

private:
    // Where each character of the shown text begins, from its start, and where the caret
    // stands: found once for every character that a range asks about in turn, and again
    // when the text, the caret, the face or the box changes.
    struct Places {
        QString text;
        int cursor = 0;
        QFont face;
        QSize box;
        QRect caret;
        std::vector<qreal> lefts;  // one more than the text has characters: its end
    };
    const Places& Placed() const {
        const QString shown = readText();
        const int cursor = edit()->cursorPosition();
        if (places_ && places_->text.constData() == shown.constData() && places_->text.size() == shown.size() &&
            places_->cursor == cursor && places_->face == edit()->font() && places_->box == edit()->size())
            return *places_;
        Places places{shown, cursor, edit()->font(), edit()->size(),
                      edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect(), {0.0}};
        // A character that is part of a cluster (a surrogate pair, a mark on a letter)
        // stands where its cluster does.
        const QFontMetricsF metrics(places.face);
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, shown);
        for (qsizetype from = 0, to = clusters.toNextBoundary(); to > 0; from = to, to = clusters.toNextBoundary()) {
            const qreal left = places.lefts.back();
            places.lefts.insert(places.lefts.end(), to - from - 1, left);
            places.lefts.push_back(left + metrics.horizontalAdvance(shown.mid(from, to - from)));
        }
        places_ = std::move(places);
        return *places_;
    }

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    mutable std::optional<Places> places_;
};

// The text part of a band list gets the interface above; any other line edit, Qt's own.
QAccessibleInterface* AsBandText(QLineEdit* edit) {
    return qobject_cast<BandList*>(edit->parent()) != nullptr ? new BandTextAccessible(edit) : nullptr;
}

// One entry of the open list, as assistive technology sees it: an item named by its text.
class EntryAccessible : public QAccessibleInterface {
public:
    EntryAccessible(QAbstractItemView* view, int row) : view_(view), row_(row) {}

    bool isValid() const override { return view_ != nullptr && row_ < view_->model()->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override { return kind == QAccessible::Name ? Entry().data().toString() : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect box = view_->visualRect(Entry());
        return {view_->viewport()->mapToGlobal(box.topLeft()), box.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = state.focusable = true;
        state.selected = view_->selectionModel()->isSelected(Entry());
        state.focused = view_->hasFocus() && view_->currentIndex() == Entry();
        state.invisible = !view_->isVisible();
        state.offscreen = state.invisible || !view_->viewport()->rect().intersects(view_->visualRect(Entry()));
        return state;
    }
    int row() const { return row_; }
    const QAbstractItemView* view() const { return view_; }
    // Its view is going away: from now on it is no entry of anything.
    void Forget() { view_ = nullptr; }

private:
    QModelIndex Entry() const { return view_->model()->index(row_, 0, view_->rootIndex()); }

    QPointer<QAbstractItemView> view_;
    int row_;
};

// How assistive technology sees a list's open list: a list of its entries, the picked
// one selected, which screen readers from Qt 6.5 on read through its selection (Orca
// says it on "where am I"). (Qt's own offers a table too, whose calls for a row or
// column that it lacks end the program in Qt's bridge: IsSelected, GetRowExtentAt,
// GetColumnExtentAt, GetRowHeader.)
class EntriesAccessible : public QAccessibleWidget
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    , public QAccessibleSelectionInterface
#endif
{
public:
    explicit EntriesAccessible(QAbstractItemView* view) : QAccessibleWidget(view, QAccessible::List) {}
    // As its view goes away: Qt 6.11 asks each entry whether it is valid as it deletes it,
    // when the view is already half destroyed.
    ~EntriesAccessible() override {
        for (QAccessible::Id id : entries_) {
            if (auto* entry = dynamic_cast<EntryAccessible*>(QAccessible::accessibleInterface(id))) entry->Forget();
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    // The list that it opens from, not the frame around it, as Qt has it.
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view()->parent()->parent()); }
    int childCount() const override { return view()->model()->rowCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (entries_.size() <= static_cast<std::size_t>(index)) entries_.resize(index + 1, 0);
        if (entries_[index] == 0) entries_[index] = QAccessible::registerAccessibleInterface(new EntryAccessible(view(), index));
        return QAccessible::accessibleInterface(entries_[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* entry = dynamic_cast<const EntryAccessible*>(child);
        return entry != nullptr && entry->view() == view() ? entry->row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y))).row());
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::SelectionInterface ? static_cast<QAccessibleSelectionInterface*>(this)
                                                       : QAccessibleWidget::interface_cast(type);
    }
    int selectedItemCount() const override { return static_cast<int>(view()->selectionModel()->selectedRows().size()); }
    QList<QAccessibleInterface*> selectedItems() const override {
        QList<QAccessibleInterface*> items;
        for (const QModelIndex& entry : view()->selectionModel()->selectedRows()) items.append(child(entry.row()));
        return items;
    }
    bool select(QAccessibleInterface* item) override { return Mark(item, QItemSelectionModel::ClearAndSelect); }
    bool unselect(QAccessibleInterface* item) override { return Mark(item, QItemSelectionModel::Deselect); }
    bool selectAll() override { return false; }  // one entry at a time
    bool clear() override {
        view()->selectionModel()->clearSelection();
        return true;
    }

private:
    bool Mark(QAccessibleInterface* item, QItemSelectionModel::SelectionFlags how) {
        const int row = indexOfChild(item);
        if (row < 0) return false;
        view()->selectionModel()->select(view()->model()->index(row, 0, view()->rootIndex()), how | QItemSelectionModel::Rows);
        return true;
    }
#endif

private:
    QAbstractItemView* view() const { return static_cast<QAbstractItemView*>(widget()); }

    mutable std::vector<QAccessible::Id> entries_;  // made as they are first asked for
};

// A band list's open list gets the interface above; any other view, Qt's own.
QAccessibleInterface* AsEntries(QAbstractItemView* view) { return IsOpenList(view) ? new EntriesAccessible(view) : nullptr; }

}  // namespace

BandList::BandList(QWidget* parent, const QString& name, std::span<const std::string_view> entries, int visibleRows)
    : QComboBox(parent) {
    InstallAccessible<QLineEdit, AsBandText>();
    InstallAccessible<QAbstractItemView, AsEntries>();
    [[maybe_unused]] static const bool installed =
        (g_nextHandler = QAccessible::installUpdateHandler(HoldBackTextNoise), true);
    // Editable through a text part given outright, which never completes what is typed.
    // setEditable() would also build the drop-down (the list builds it as it first
    // opens), and a text part without a completer would get one that reads the whole
    // list: a bare one stands in, and goes.
    auto* text = new QLineEdit(this);
    text->setCompleter(new QCompleter(text));
    setLineEdit(text);
    delete text->completer();
    setAccessibleName(name);
    // The text part holds the focus that "where am I" asks about, so a caption never
    // shown labels it too; only while it holds a text, since a screen reader reads an
    // empty text part as its label, which would name the list twice.
    auto* caption = new QLabel(this);
    caption->hide();
    caption->setBuddy(lineEdit());
    connect(lineEdit(), &QLineEdit::textChanged, caption,
            [caption, name](const QString& text) { caption->setText(text.isEmpty() ? QString() : name); });
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(visibleRows);
    for (std::string_view entry : entries)
        addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    setCurrentIndex(-1);
    // Qt would make an entry that the text names current when editing finishes, and
    // report it as a pick: a change nobody made. The selected position is read from the
    // text instead.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // A pick (mouse, keys or wheel) sets the current index, which writes the entry's text
    // before it announces the new index; activated then follows. Every other change of
    // the text comes from outside: the user or assistive technology.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { shownIndex_ = index; });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (!changingItself_ && currentIndex() == shownIndex_) emit changed();
    });
    connect(this, &QComboBox::activated, this, &BandList::changed);
    // A picked entry is kept selected, so that typing replaces it.
    connect(this, &QComboBox::activated, this, [this] {
        ChangeItself([this] {
            lineEdit()->setSelection(static_cast<int>(currentText().size()), -static_cast<int>(currentText().size()));
        });
    });
    connect(lineEdit(), &QLineEdit::textChanged, this, &BandList::FitText);
}

void BandList::FitText() {
    // The line edit keeps 2 px clear on either side of its text, and 1 px for the cursor.
    const int room = lineEdit()->contentsRect().width() - 5;
    const QString text = lineEdit()->text();
    QFont face = font();
    const int natural = QFontMetrics(face).horizontalAdvance(text);
    if (natural > room) {
        int stretch = std::max(kNarrowest, 100 * room / natural);
        face.setStretch(stretch);
        while (stretch > kNarrowest && QFontMetrics(face).horizontalAdvance(text) > room) face.setStretch(--stretch);
    }
    lineEdit()->setFont(face);
}

namespace {

// A colour's name as people write it, whatever the list writes: in either case, "е" for
// "ё", with blanks around it or none.
QString AsWritten(const QString& text) { return text.trimmed().toLower().replace(QChar(u'ё'), QChar(u'е')); }

}  // namespace

int BandList::selectedPosition() const {
    const QString typed = AsWritten(currentText());
    for (int position = 0; position < count(); ++position)
        if (AsWritten(itemText(position)) == typed) return position;
    return -1;
}

void BandList::Step(int step) {
    const int from = selectedPosition();
    const int to = from == -1 ? (step > 0 ? 0 : -1) : from + step;
    if (to < 0 || to >= count()) return;
    ChangeItself([this, to] {
        setCurrentIndex(to);
        setEditText(itemText(to));  // the index may have stayed while the text named another entry
    });
    // Assistive technology hears the pick once, before the result it leads to: as the
    // entry's text put in, or from Qt 6.8 on as an announcement, which Orca 48 speaks
    // wherever it takes the focus to be (it keeps quiet about text put into a list
    // that the focus reached from a radio button).
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent picked(lineEdit(), itemText(to));
    QAccessible::updateAccessibility(&picked);
#else
    QAccessibleTextInsertEvent inserted(lineEdit(), 0, itemText(to));
    QAccessible::updateAccessibility(&inserted);
#endif
    emit activated(to);
}

void BandList::hidePopup() {
    // The open list closes for a pick, which follows once it has closed, or for nothing;
    // Qt closes it, and picks, once for the Enter key's shortcut check and again for the
    // key itself. Either way the focus comes back to the text part, and a screen reader
    // says the colour then: the text part stays quiet until the turn after each close.
    changingItself_ = true;
    QComboBox::hidePopup();
    QTimer::singleShot(0, this, [this] { changingItself_ = false; });
}

void BandList::focusInEvent(QFocusEvent* event) {
    ChangeItself([this, event] { QComboBox::focusInEvent(event); });
}

void BandList::focusOutEvent(QFocusEvent* event) {
    ChangeItself([this, event] { QComboBox::focusOutEvent(event); });
}

void BandList::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp)) {
        Step(-1);
    } else if (plain && (event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown)) {
        Step(1);
    } else {
        QComboBox::keyPressEvent(event);
    }
}

void BandList::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) Step(delta > 0 ? -1 : 1);
    event->accept();
}

}  // namespace velto
