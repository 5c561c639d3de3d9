// The category tree tv1 and the initial-letter list cboTree of the main
// window: building the tree with its counts, recounting under a letter, the
// node click that decides what the search box searches, the folder images
// and the node pop-up.
#include "mainwindow/MDI.h"

#include "mainwindow/AccessKeys.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/font/FontLoader.h"
#include "store/CategoryTree.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QTreeWidget>

namespace tav {

namespace {

const QString &GreekFontName = winsys::GreekFamily;
const QString LatinFontName = QStringLiteral("MS Sans Serif");

enum NodeRole { KeyRole = Qt::UserRole, TagRole, IndexRole, ImageRole, CountRole };

// A folder drawn at 16 by 16 units: closed, or open with a sheet showing and
// its front flap tilted. Drawn here because the style's own open and closed
// folders look alike on many desktops.
// A recounted node shows its caption and keeps the count it shows.
void SetCountedCaption(QTreeWidgetItem *node, const CountedCaption &caption)
{
    node->setText(0, caption.text);
    node->setData(0, CountRole, caption.count);
}

QIcon DrawnFolder(bool open)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x1f), 1));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setBrush(QColor(0xe0, 0xb4, 0x48));
    p.drawPath(back);
    p.setBrush(QColor(0xf8, 0xdb, 0x80));
    if (open) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3.5, 8, 6));
        p.setBrush(QColor(0xf8, 0xdb, 0x80));
        p.drawPolygon(QPolygonF({QPointF(4, 7.5), QPointF(15.5, 7.5), QPointF(13, 13.5), QPointF(1.5, 13.5)}));
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
    return QIcon(picture);
}

// Image 1 the closed folder, image 2 the open one, 0 none.
QIcon FolderImage(int image)
{
    static const QIcon closed = DrawnFolder(false);
    static const QIcon open = DrawnFolder(true);
    if (image == 1)
        return closed;
    if (image == 2)
        return open;
    return QIcon();
}

void SetImage(QTreeWidgetItem *node, int image)
{
    node->setData(0, ImageRole, image);
    node->setIcon(0, FolderImage(image));
}

void ReportOnce(const CountFailure &failure)
{
    if (failure.failed)
        winsys::ShowErrorBox(failure.number, failure.description);
}

} // namespace

QString MDI::NodeKey(const QTreeWidgetItem *Node) { return Node ? Node->data(0, KeyRole).toString() : QString(); }

QString MDI::NodeTag(const QTreeWidgetItem *Node) { return Node ? Node->data(0, TagRole).toString() : QString(); }

QTreeWidgetItem *MDI::FindNode(const QString &key) const
{
    for (QTreeWidgetItemIterator it(tv1); *it; ++it)
        if (NodeKey(*it) == key)
            return *it;
    return nullptr;
}

QTreeWidgetItem *MDI::SelectedNode() const
{
    const QList<QTreeWidgetItem *> selected = tv1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void MDI::JulGran()
{
    m_buildingTree = true;
    tv1->clear();
    CountFailure failure;
    const QVector<CategoryNode> nodes = BuildCategoryNodes(failure);
    int index = 0;
    for (const CategoryNode &n : nodes) {
        QTreeWidgetItem *parent = n.parent.isEmpty() ? nullptr : FindNode(n.parent);
        auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tv1);
        node->setText(0, n.caption);
        node->setData(0, CountRole, n.count);
        node->setData(0, KeyRole, n.key);
        node->setData(0, TagRole, n.tag);
        node->setData(0, IndexRole, ++index);
        SetImage(node, n.image ? 1 : 0);
        if (n.expanded)
            node->setExpanded(true);
    }
    m_buildingTree = false;
    measureTree();
    fitLeftPanel();

    // The new letter list starts at "-", and every node was just counted
    // without a letter: selecting "-" recounts nothing, so each build shows
    // the captions as built ("1454 Greek"), after a change of the settings
    // as at start-up. A count that failed shows 0, told once.
    const QString shownLetters = LetterFont;
    LetterFont.clear();
    loadLetters(true);
    ReportOnce(failure);
    // The letter list, its font and the search language now agree: the tree
    // starts on the Greek side. A text typed for English or the third
    // language is no Greek search: it goes, as on a click on a Greek node.
    if (SearchLang != 4 || (!shownLetters.isEmpty() && shownLetters != GreekFontName)) {
        clearSearchBoxes();
    }
    LetterFont = GreekFontName;
    SearchLang = 4;
    setSearchFont(GreekFontName, GreekFontSize - 2);
    lblFlag->setText(QStringLiteral("Search for Greek"));
}

void MDI::measureTree()
{
    // A recount adds " on" and a letter's name to the captions of its side:
    // the widest of them is room those captions may need.
    const QFontMetrics metrics = tv1->fontMetrics();
    int suffix[2] = {0, 0}; // Latin, Greek
    for (int greek : {0, 1}) {
        const int letters = int((greek ? GreekLetterList() : LatinLetterList()).size()) - 1;
        for (int place = 1; place <= letters; ++place)
            suffix[greek] = std::max(suffix[greek], metrics.horizontalAdvance(LetterSuffix(place, greek)));
    }
    const int icon = tv1->iconSize().isValid() ? tv1->iconSize().width()
                                               : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, tv1);
    // The nodes the built tree shows: deeper ones, once opened, scroll.
    int widest = 0;
    for (QTreeWidgetItemIterator it(tv1); *it; ++it) {
        int depth = 1; // the branch mark of the top level takes one indentation
        bool shown = true;
        for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent()) {
            ++depth;
            shown = shown && p->isExpanded();
        }
        if (!shown)
            continue;
        const QString key = NodeKey(*it);
        const bool meaningNode = key == QLatin1String("English") || (!Opt3rdLang.isEmpty() && key == Opt3rdLang);
        const int room = IsGreekNodeKey(key) ? suffix[1] : meaningNode ? suffix[0] : 0;
        widest = std::max(widest, depth * tv1->indentation() + icon + metrics.horizontalAdvance((*it)->text(0)) + room);
    }
    // The item's own margins beside the icon and the text.
    m_treeTextWidth = widest + 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tv1);
}

void MDI::loadLetters(bool greek)
{
    cboTree->clear();
    cboTree->setFont(QFont(greek ? GreekFontName : LatinFontName, 9));
    SetTreeBuilt(greek);
    cboTree->addItems(greek ? GreekLetterList() : LatinLetterList());
    cboTree->setCurrentIndex(0);
    cboTree_Click(); // selecting "-" acts as the user's choice would
}

void MDI::cboTree_Click()
{
    SetLetterPicked(cboTree->currentText() != QLatin1String("-") && cboTree->currentIndex() > 0);
    JulText();
}

void MDI::JulText()
{
    const QString letter = LetterPicked() ? cboTree->currentText() : QString();
    const QString suffix = LetterPicked() ? LetterSuffix(cboTree->currentIndex(), TreeBuilt()) : QString();
    const bool greek = LetterFont == GreekFontName;
    const bool latin = LetterFont == LatinFontName;
    if (!greek && !latin)
        return;
    CountFailure failure;
    QList<QTreeWidgetItem *> greekNodes;
    QStringList keys, tags;
    for (QTreeWidgetItemIterator it(tv1); *it; ++it) {
        const QString key = NodeKey(*it);
        const bool meaningNode = key == QLatin1String("English") || (!Opt3rdLang.isEmpty() && key == Opt3rdLang);
        if (greek && IsGreekNodeKey(key)) {
            greekNodes << *it;
            keys << key;
            tags << NodeTag(*it);
        } else if (!greek && meaningNode) {
            SetCountedCaption(*it, RecountCaption(key, NodeTag(*it), letter, suffix, failure));
        }
    }
    // The Greek nodes are counted together.
    if (!greekNodes.isEmpty()) {
        const QVector<CountedCaption> captions = RecountGreekCaptions(keys, tags, letter, suffix, failure);
        for (int i = 0; i < greekNodes.size(); ++i)
            SetCountedCaption(greekNodes[i], captions.value(i));
    }
    ReportOnce(failure);
}

void MDI::setSearchFont(const QString &family, int pointSize)
{
    const QFont font(family, pointSize);
    tbSearch->setFont(font);
    tbFind[1]->setFont(font);
}

void MDI::tv1_NodeClick(QTreeWidgetItem *Node)
{
    if (!Node)
        return;
    // 1. Only a node with words offers Show ("All Words" and "Unique
    // English" have no count).
    cmdShow->setEnabled(Node->data(0, CountRole).toLongLong() != 0);

    const QString key = NodeKey(Node);
    const bool english = key == QLatin1String("English");
    const bool third = !english && !Opt3rdLang.isEmpty() && key == Opt3rdLang && !OptBoHide3;
    if (english)
        SearchLang = 5;
    else if (third)
        SearchLang = 6;

    if (!english && !third) {
        // 3. The Greek side: inflected forms, Greek letters.
        SearchLang = 4;
        opForm[1]->setChecked(true);
        clearSearchBoxes();
        setSearchFont(GreekFontName, GreekFontSize - 2);
        if (LetterFont != GreekFontName) {
            // The list's font name before "-" is selected, so that the
            // reload recounts the Greek nodes.
            LetterFont = GreekFontName;
            loadLetters(true);
        }
    } else {
        // 4. The meaning side: headwords of that language, Latin letters.
        // An exclusive option cannot be cleared on its own.
        opForm[1]->setAutoExclusive(false);
        opForm[1]->setChecked(false);
        opForm[1]->setAutoExclusive(true);
        clearSearchBoxes();
        setSearchFont(LatinFontName, 8);
        if (LetterFont != LatinFontName) {
            LetterFont = LatinFontName;
            loadLetters(false);
        }
    }
    // 5. What the search box searches for.
    if (SearchLang == 4)
        lblFlag->setText(QStringLiteral("Search for Greek"));
    else if (SearchLang == 5)
        lblFlag->setText(QStringLiteral("Search for English"));
    else
        lblFlag->setText(QStringLiteral("Search for ") + Opt3rdLang);
}

void MDI::tv1_Collapse(QTreeWidgetItem *Node)
{
    if (Node && !m_buildingTree && Node->data(0, IndexRole).toInt() != 1)
        SetImage(Node, 1);
}

void MDI::tv1_Expand(QTreeWidgetItem *Node)
{
    if (Node && !m_buildingTree && Node->data(0, IndexRole).toInt() != 1)
        SetImage(Node, 2);
}

void MDI::tv1_MouseDown(Qt::MouseButton Button, const QPoint &pos)
{
    if (Button == Qt::RightButton)
        ShowNodePopup(pos);
}

void MDI::ShowNodePopup(const QPoint &pos)
{
    QTreeWidgetItem *node = tv1->itemAt(pos);
    if (node) {
        // The full node click first: language side, letters, Show button.
        tv1->setCurrentItem(node);
        node->setSelected(true);
        tv1_NodeClick(node);
    } else {
        node = SelectedNode();
    }
    if (!node)
        return;
    mnuNodeFirstParts0->setText(WithAccessKey(node->text(0)));
    // "Root" and "Info" have no list to show.
    const QString key = NodeKey(node);
    if (key == QLatin1String("Root") || key == QLatin1String("Info") || !cmdShow->isEnabled())
        return;
    mnuNodes->popup(tv1->viewport()->mapToGlobal(pos));
}

void MDI::ShowCurrentNodePopup()
{
    QTreeWidgetItem *node = tv1->currentItem();
    if (!node)
        node = SelectedNode();
    if (!node)
        return;
    tv1->scrollToItem(node);
    const QRect row = tv1->visualItemRect(node);
    ShowNodePopup(QPoint(row.left() + row.height(), row.bottom()));
}

} // namespace tav
