#include "sources/torrents/sourcebuttongroup.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

SourceButtonGroup::SourceButtonGroup(QObject *parent)
    : QObject(parent)
{
    setObjectName(u"Command2"_s);
}

SourceButtonGroup *SourceButtonGroup::of(QObject *window)
{
    auto *group = window->findChild<SourceButtonGroup *>(u"Command2"_s, Qt::FindDirectChildrenOnly);
    return group ? group : new SourceButtonGroup(window);
}

QPushButton *SourceButtonGroup::addMember(int index, const QString &caption, QWidget *page)
{
    auto *button = new QPushButton(caption, page);
    button->setObjectName(u"Command2_"_s + QString::number(index));
    m_members.insert(index, button);
    connect(button, &QPushButton::clicked, this, [this, index] { Q_EMIT pressed(index); });
    return button;
}

QPushButton *SourceButtonGroup::member(int index) const
{
    return m_members.value(index);
}
