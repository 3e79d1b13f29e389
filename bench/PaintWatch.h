#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Sees every paint event of the application and calls back for each that a
// widget of the given object name receives, before the widget paints: the
// moment the window system asked for it to be drawn.
class PaintWatch final : public QObject
{
public:
    PaintWatch(const QString &objectName, std::function<void(QWidget &)> painting);
    ~PaintWatch() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_objectName;
    std::function<void(QWidget &)> m_painting;
};
