#include "shell/UInfo.h"

#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/Shell.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TFInfo* FInfo = nullptr;

namespace {

const QString kInfo = QStringLiteral("Info");

// The links of the four tabs: the game's own public pages. Each has its own description key.
struct Link {
    int tab;
    const char* address; // shown without "http://"
    const char* key;
    const char* description;
};
// Only addresses known to exist: the game's site and its interface for outside programs.
constexpr Link kLinks[] = {
    {0, "www.hattrick.org", "LinkGame", "The game's home page"},
    {1, "chpp.hattrick.org", "LinkChpp", "The game's interface for outside programs"},
    {3, "www.hattrick.org", "LinkRules", "Rules, news and help on the game's site"},
};

// The developer's web page and mail address, shown without "http://" and "mailto:". None is
// published yet: a label without an address is hidden rather than pointing at an invented one.
const char* const kDeveloperWeb = "";
const char* const kDeveloperEmail = "";

// The translation credits, one line per language shipped with the program.
const char* const kCredits[] = {
    "English: the Velkaro developers",
};

QPlainTextEdit* memo(QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

LinkLabel::LinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent) {
    setHidden(address.isEmpty()); // nothing to open
    setCursor(Qt::PointingHandCursor);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

TFInfo::TFInfo(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Info"));
    auto* grid = new QGridLayout(this);
    LabelVersion = new QLabel(this);
    LabelVersionNumber = new QLabel(QStringLiteral("1.26"), this);
    LabelDeveloper = new QLabel(this);
    LabelWeb = new LinkLabel(QString::fromLatin1(kDeveloperWeb), this);
    LabelEmail = new LinkLabel(QString::fromLatin1(kDeveloperEmail), this);
    LabelDeveloper->setHidden(LabelWeb->isHidden() && LabelEmail->isHidden());
    LabelConditions = new QLabel(this);
    LabelFeatures = new QLabel(this);
    LabelTranslations = new QLabel(this);
    LabelLinks = new QLabel(this);
    Memo1 = memo(this);
    Memo2 = memo(this);
    Memo3 = memo(this);
    PageControl1 = new QTabWidget(this);

    auto* version = new QHBoxLayout;
    version->addWidget(LabelVersion);
    version->addWidget(LabelVersionNumber);
    version->addStretch();
    auto* developer = new QHBoxLayout;
    developer->addWidget(LabelWeb);
    developer->addSpacing(24);
    developer->addWidget(LabelEmail);
    developer->addStretch();
    grid->addLayout(version, 0, 0, 1, 2);
    grid->addWidget(LabelDeveloper, 1, 0);
    grid->addLayout(developer, 1, 1);
    grid->addWidget(LabelConditions, 2, 0, Qt::AlignTop);
    grid->addWidget(Memo1, 2, 1);
    grid->addWidget(LabelFeatures, 3, 0, Qt::AlignTop);
    grid->addWidget(Memo2, 3, 1);
    grid->addWidget(LabelTranslations, 4, 0, Qt::AlignTop);
    grid->addWidget(Memo3, 4, 1);
    grid->addWidget(LabelLinks, 5, 0, Qt::AlignTop);
    grid->addWidget(PageControl1, 5, 1);
    // The credits are a few lines; the terms, features and links share the rest.
    Memo3->setMaximumHeight(Memo3->fontMetrics().lineSpacing() * 4 + 12);
    grid->setRowStretch(2, 2);
    grid->setRowStretch(3, 2);
    grid->setRowStretch(5, 1);

    QVector<QGridLayout*> pages;
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget(PageControl1);
        auto* layout = new QGridLayout(page);
        layout->setColumnStretch(1, 1);
        layout->setRowStretch(8, 1);
        PageControl1->addTab(page, QString());
        pages.append(layout);
    }
    for (const Link& link : kLinks) {
        auto* label = new LinkLabel(QString::fromLatin1(link.address), PageControl1->widget(link.tab));
        auto* description = new QLabel(PageControl1->widget(link.tab));
        QGridLayout* layout = pages[link.tab];
        const int row = layout->count() / 2; // two widgets per link
        layout->addWidget(label, row, 0);
        layout->addWidget(description, row, 1);
        connect(label, &LinkLabel::clicked, this, [this](LinkLabel* l) { LabelUrlClick(l); });
        LinkLabels.append(label);
        LinkDescriptions.append(description);
    }
    connect(LabelWeb, &LinkLabel::clicked, this, [this](LinkLabel* l) { LabelUrlClick(l); });
    connect(LabelEmail, &LinkLabel::clicked, this, [this](LinkLabel* l) { LabelEmailClick(l); });

    LeerIdioma();
    PageControl1->setCurrentIndex(0);
}

void TFInfo::LeerIdioma() {
    auto text = [](const char* key, const char* def) {
        return LangText(kInfo, QString::fromLatin1(key), QString::fromLatin1(def));
    };
    LabelVersion->setText(text("LabelVersion", "Version"));
    LabelDeveloper->setText(text("LabelDeveloper", "Developer:"));
    LabelConditions->setText(text("LabelConditions", "Terms of use:"));
    LabelFeatures->setText(text("LabelFeatures", "Features:"));
    LabelTranslations->setText(text("LabelTranslations", "Translations") + QLatin1Char(':'));
    LabelLinks->setText(text("LabelLinks", "Useful Links:"));
    PageControl1->setTabText(0, text("Tab1", "Essential"));
    PageControl1->setTabText(1, text("Tab2", "Assistants"));
    PageControl1->setTabText(2, text("Tab3", "Viewers"));
    PageControl1->setTabText(3, text("Tab4", "Information"));
    for (qsizetype i = 0; i < LinkDescriptions.size(); ++i)
        LinkDescriptions[i]->setText(text(kLinks[i].key, kLinks[i].description));

    const QString blank;
    QStringList terms{text("Memo1Line01", ""), blank, text("Memo1Line2", ""), blank,
                      text("Memo1Line3", ""),  blank, text("Memo1Line4", ""), blank,
                      text("Memo1Line5", "")};
    if (!LabelDeveloper->isHidden()) // the line points at the developer's addresses above it
        terms.append(text("Memo1Line6", ""));
    Memo1->setPlainText(terms.join(QLatin1Char('\n')));
    Memo2->setPlainText(QStringList{text("Memo2Line01", ""), blank, text("Memo2Line02", ""),
                                    text("Memo2Line03", ""), blank, text("Memo2Line04", ""), blank, blank,
                                    text("Memo2Line09", "")}
                            .join(QLatin1Char('\n')));
    QStringList credits;
    for (const char* line : kCredits)
        credits.append(QString::fromUtf8(line));
    Memo3->setPlainText(credits.join(QLatin1Char('\n')));
}

void TFInfo::LabelUrlClick(QLabel* Sender) {
    OpenUrl(QStringLiteral("http://") + Sender->text(), QStringLiteral("nuevaVentana"));
}

void TFInfo::LabelEmailClick(QLabel* Sender) {
    Shell::OpenAddress(QStringLiteral("mailto:") + Sender->text());
}
