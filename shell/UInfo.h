#pragma once
// TFInfo: the information page of the main window's third tab: version, developer, terms of use,
// features, translation credits and four tabs of web links.
#include <QLabel>
#include <QVector>
#include <QWidget>

class QPlainTextEdit;
class QTabWidget;

// A label that shows an address and opens it when clicked; hidden when it has no address.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& address, QWidget* parent = nullptr);
signals:
    void clicked(LinkLabel* label);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TFInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFInfo(QWidget* parent = nullptr); // FormCreate: LeerIdioma, then the first link tab

    QLabel* LabelVersion = nullptr;
    QLabel* LabelVersionNumber = nullptr; // "1.26"
    QLabel* LabelDeveloper = nullptr;
    LinkLabel* LabelWeb = nullptr;
    LinkLabel* LabelEmail = nullptr;
    QLabel* LabelConditions = nullptr;
    QLabel* LabelFeatures = nullptr;
    QLabel* LabelTranslations = nullptr;
    QLabel* LabelLinks = nullptr;
    QPlainTextEdit* Memo1 = nullptr;    // terms of use
    QPlainTextEdit* Memo2 = nullptr;    // features
    QPlainTextEdit* Memo3 = nullptr;    // translation credits
    QTabWidget* PageControl1 = nullptr; // the four link tabs
    QVector<LinkLabel*> LinkLabels;     // every link of the four tabs, in tab order
    QVector<QLabel*> LinkDescriptions;  // the description beside each link

    void LeerIdioma();
    // Opens "http://" + the label's caption in a new browser window.
    void LabelUrlClick(QLabel* Sender);
    // Opens "mailto:" + the label's caption with the mail program.
    void LabelEmailClick(QLabel* Sender);
};

extern TFInfo* FInfo;
