#pragma once

#include <QHash>
#include <QObject>

class QPushButton;
class QWidget;

// The source button group Command2: one start button per source, each on
// its own tab; the pressed member's index selects the source.
class SourceButtonGroup : public QObject
{
    Q_OBJECT

public:
    explicit SourceButtonGroup(QObject *parent = nullptr);
    // The window's one group, made on first use.
    static SourceButtonGroup *of(QObject *window);

    // Creates member `index` (object name Command2_ and the index) on `page`.
    QPushButton *addMember(int index, const QString &caption, QWidget *page);
    QPushButton *member(int index) const;

Q_SIGNALS:
    void pressed(int index);

private:
    QHash<int, QPushButton *> m_members;
};
