#include "coreui/TGreetForm.h"

#include "coreui/Artwork.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

TGreetForm *GreetForm = nullptr;

namespace {

QLabel *addLabel(QWidget *parent, const QString &text, int pixelSize, const QColor &colour, const QPoint &at,
                 const QString &family = QString())
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TGreetForm::TGreetForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("GreetForm"));
    setWindowTitle(QStringLiteral("リハビリ支援システム"));
    setFixedSize(641, 453);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(rect());
    picture->setScaledContents(true);
    picture->setPixmap(Artwork::splash(size()));

    addLabel(this, QStringLiteral("リハビリ支援システム"), 21, Qt::white, QPoint(40, 36));
    // The product name in a brush-like face, a blue shadow copy one pixel to
    // the left of and three pixels above the white copy.
    const QString brushFace = QStringLiteral("Noto Serif CJK JP");
    addLabel(this, QStringLiteral("タムソレン"), 64, Qt::blue, QPoint(119, 97), brushFace);
    addLabel(this, QStringLiteral("タムソレン"), 64, Qt::white, QPoint(120, 100), brushFace);
    addLabel(this, QStringLiteral("Ver 5.0"), 24, QColor(0xff, 0x00, 0xff), QPoint(460, 190));

    const int tops[3] = {248, 288, 336};
    QLabel **lines[3] = {&GLabel1, &GLabel2, &GLabel3};
    for (int i = 0; i < 3; ++i) {
        *lines[i] = addLabel(this, QString(), 16, Qt::black, QPoint(230, tops[i]));
        (*lines[i])->setObjectName(QStringLiteral("GLabel%1").arg(i + 1));
        (*lines[i])->resize(400, 24);
    }

    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

TGreetForm::~TGreetForm()
{
    qApp->removeEventFilter(this);
}

bool TGreetForm::eventFilter(QObject *watched, QEvent *event)
{
    const auto *window = qobject_cast<QWidget *>(watched);
    if (window && window != this && window->isWindow()) {
        if (event->type() == QEvent::Show && window->isModal() && isVisible()) {
            m_steppedAside = true;
            hide();
        } else if (event->type() == QEvent::Hide && m_steppedAside && !QApplication::activeModalWidget()) {
            m_steppedAside = false;
            show();
            repaint();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGreetForm::SetStatus(int line, const QString &text)
{
    QLabel *labels[3] = {GLabel1, GLabel2, GLabel3};
    if (line < 1 || line > 3)
        return;
    labels[line - 1]->setText(text);
    repaint();
}
