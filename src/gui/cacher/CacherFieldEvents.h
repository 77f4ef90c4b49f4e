#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Watches the address book's input fields. Only focus moves inside the window count as
// entering or leaving a field: switching to another window, opening a message box or a
// drop-down list and coming back to the same field leave its change detection alone.
class CacherFieldEvents : public QObject
{
public:
    using FieldCallback = std::function<void(QWidget *)>;
    // Returns false to swallow a typed character.
    using KeyFilter = std::function<bool(QChar)>;

    CacherFieldEvents(QObject *parent, FieldCallback onEnter, FieldCallback onExit);

    void watch(QWidget *field);
    // Typed characters of `field` pass through `filter` first.
    void filterKeys(QWidget *field, KeyFilter filter);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldCallback m_onEnter;
    FieldCallback m_onExit;
    QList<std::pair<QObject *, KeyFilter>> m_keyFilters;
    QWidget *m_entered = nullptr; // the field entered last and not yet left
};

// Which characters the phone fields and the postal code take while typing.
bool phoneCharacterAllowed(QChar key);
bool postalCodeCharacterAllowed(QChar key, qsizetype currentLength);
