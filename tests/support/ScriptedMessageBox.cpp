#include "ScriptedMessageBox.h"

#include <QTest>

namespace {

QString describe(const MessageBoxRequest &r)
{
    return QStringLiteral("[text \"%1\", title \"%2\", buttons 0x%3, icon %4, default 0x%5]")
        .arg(r.text, r.title)
        .arg(uint(r.buttons), 0, 16)
        .arg(int(r.icon))
        .arg(uint(r.defaultButton), 0, 16);
}

} // namespace

void ScriptedMessageBox::expect(const MessageBoxRequest &request,
                                QMessageBox::StandardButton answer)
{
    m_queue.append({request, answer});
}

QMessageBox::StandardButton ScriptedMessageBox::show(QWidget *, const MessageBoxRequest &request)
{
    if (m_queue.isEmpty()) {
        m_problems << QStringLiteral("unexpected box %1").arg(describe(request));
        return QMessageBox::Cancel;
    }
    const Expected expected = m_queue.takeFirst();
    if (expected.request != request)
        m_problems << QStringLiteral("expected box %1, shown %2")
                          .arg(describe(expected.request), describe(request));
    return expected.answer;
}

ScriptedMessageBox::~ScriptedMessageBox()
{
    for (const Expected &expected : std::as_const(m_queue))
        m_problems << QStringLiteral("expected box never shown %1").arg(describe(expected.request));
    if (!m_problems.isEmpty())
        QTest::qFail(qPrintable(m_problems.join(u'\n')), __FILE__, __LINE__);
}
