#include "shell/termsofuse.h"

#include <QCheckBox>

using namespace Qt::StringLiterals;

const QString &TermsOfUse::text()
{
    static const QString terms = QStringList{
        u"用户使用协议："_s,
        QString(),
        u"一，使用者必须为十八周岁以上及八十周岁以下"_s,
        u"二，本功能是因广大网友反馈而增加的功能"_s,
        u"三，获取到的资源均来自网络，与澄川、开发者无关"_s,
        u"四，本程序只作为资源的采集、分析、整理"_s,
        u"五，请勿将本程序用于非法用途"_s,
        u"六，如发现用户以本程序危害到我们名声，将立即终止本功能的使用！"_s,
        QString(),
        u"是否能保证遵守？"_s,
    }.join(u"\r\n"_s);
    return terms;
}

TermsOfUse::TermsOfUse(const ReaderContext &context, const SettingsFile &settings, QCheckBox *box,
                       QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_settings(settings)
    , m_box(box)
{
    connect(box, &QCheckBox::clicked, this, &TermsOfUse::clicked);
}

void TermsOfUse::clicked()
{
    if (!m_box)
        return;
    const QString answer = m_settings.GetFromINI(SettingsFile::section(), SettingsFile::termsKey());
    const bool checked = m_box->isChecked();
    if (!answer.contains(u"否"_s)) {
        m_settings.writeYesNo(SettingsFile::termsKey(), checked);
        return;
    }
    if (!checked)
        return;
    const QMessageBox::StandardButton reply =
        m_context.message(text(), QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
    if (!m_box)
        return;
    const bool accepted = reply == QMessageBox::Yes;
    m_box->setChecked(accepted);
    m_settings.writeYesNo(SettingsFile::termsKey(), accepted);
}
