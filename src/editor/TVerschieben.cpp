#include "editor/TVerschieben.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

TVerschieben::TVerschieben(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Verschieben"));
    setWindowTitle(QStringLiteral("Verschieben"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(162, 73);

    auto *label = new QLabel(QStringLiteral("Neue Kartennummer:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 6, 146, 16);
    m_nummer = new QComboBox(this);
    m_nummer->setObjectName(QStringLiteral("Nummer"));
    m_nummer->setEditable(false);
    m_nummer->setGeometry(8, 22, 146, 22);

    const auto button = [this](const QString &name, const QString &caption, int x) {
        auto *result = new QToolButton(this);
        result->setObjectName(name);
        result->setText(caption);
        result->setAutoRaise(true);
        result->setGeometry(x, 48, 70, 22);
        return result;
    };
    connect(button(QStringLiteral("SpeedButton1"), QStringLiteral("OK"), 8), &QToolButton::clicked, this, &QDialog::accept);
    connect(button(QStringLiteral("SpeedButton2"), QStringLiteral("Doch nicht"), 84), &QToolButton::clicked, this, &QDialog::reject);
}

void TVerschieben::fill(int count, int currentIndex)
{
    m_nummer->clear();
    for (int i = 1; i <= count; ++i)
        m_nummer->addItem(QString::number(i));
    m_nummer->setCurrentIndex(currentIndex);
}

int TVerschieben::chosenIndex() const
{
    return m_nummer->currentIndex();
}

void TVerschieben::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_nummer->setFocus();
}
