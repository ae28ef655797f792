#include "ui/searchpanel.h"

#include "ui/pagecontrols.h"
#include "ui/resultlist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SearchPanel buildSearchPanel(QWidget *page, const SearchPanelParts &parts)
{
    SearchPanel panel;
    auto *layout = new QVBoxLayout(page);
    panel.row = new QHBoxLayout();
    if (!parts.caption.isEmpty())
        panel.row->addWidget(new QLabel(parts.caption, page));
    if (!parts.keywordBox.isEmpty()) {
        panel.keyword = new QLineEdit(page);
        panel.keyword->setObjectName(parts.keywordBox);
        panel.row->addWidget(panel.keyword, 1);
    }
    if (!parts.pageBox.isEmpty())
        panel.pageBox = addPageBox(panel.row, page, parts.pageBox, parts.spinner);
    if (!parts.startButton.isEmpty()) {
        panel.start = new QPushButton(parts.startCaption, page);
        panel.start->setObjectName(parts.startButton);
        panel.row->addWidget(panel.start);
    }
    layout->addLayout(panel.row);
    panel.list = ResultList::create(parts.list, page);
    layout->addWidget(panel.list, 1);
    return panel;
}
