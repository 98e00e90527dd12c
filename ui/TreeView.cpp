#include "ui/TreeView.h"

#include "ui/Properties.h"

#include <algorithm>
#include <functional>

constinit const TClassInfo TTreeNode::ClassInfo = ui::ClassOf<TTreeNode>("TTreeNode", TPersistent::ClassInfo);
constinit const TClassInfo TTreeNodes::ClassInfo = ui::ClassOf<TTreeNodes>("TTreeNodes", TPersistent::ClassInfo);
constinit const TClassInfo TTreeView::ClassInfo = ui::ClassOf<TTreeView>("TTreeView", TWinControl::ClassInfo);

namespace {

// Calls visit for node and its descendants, parents first; stops when visit says so.
bool Walk(const std::vector<TTreeNode*>& nodes, const std::function<bool(TTreeNode&)>& visit)
{
    for (TTreeNode* node : nodes) {
        if (!visit(*node))
            return false;
        std::vector<TTreeNode*> children;
        for (int i = 0; i < node->Count(); ++i)
            children.push_back(node->Item(i));
        if (!Walk(children, visit))
            return false;
    }
    return true;
}

bool IsWithin(const TTreeNode* node, const TTreeNode* ancestor)
{
    for (; node; node = node->Parent()) {
        if (node == ancestor)
            return true;
    }
    return false;
}

} // namespace

// ============================================================ TTreeNode

TTreeNode::TTreeNode(TTreeNodes& owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}

TTreeNode::~TTreeNode()
{
    for (TTreeNode* child : children_)
        delete child;
}

TTreeView& TTreeNode::TreeView() const { return owner_.Owner(); }

TPersistent* TTreeNode::GetOwner() const { return &owner_; }

int TTreeNode::Index() const
{
    const auto& siblings = owner_.SiblingsOf(parent_);
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

int TTreeNode::Level() const
{
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

void TTreeNode::SetText(std::string_view value)
{
    text_ = std::string(value);
    if (!item_)
        return;
    TVITEMA info{};
    info.mask = TVIF_TEXT;
    info.hItem = item_;
    info.pszText = text_.data();
    SendMessageA(TreeView().WindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info));
}

bool TTreeNode::Expanded() const
{
    if (!item_)
        return expanded_;
    const auto state = SendMessageA(TreeView().WindowHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_),
                                    TVIS_EXPANDED);
    return (state & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool value)
{
    expanded_ = value;
    if (item_)
        SendMessageA(TreeView().WindowHandle(), TVM_EXPAND, value ? TVE_EXPAND : TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(item_));
}

bool TTreeNode::Selected() const { return TreeView().Selected() == this; }

void TTreeNode::SetSelected(bool value)
{
    if (value)
        TreeView().SetSelected(this);
    else if (Selected())
        TreeView().SetSelected(nullptr);
}

// ============================================================ TTreeNodes

TTreeNodes::~TTreeNodes()
{
    for (TTreeNode* node : roots_)
        delete node;
}

TPersistent* TTreeNodes::GetOwner() const { return &owner_; }

int TTreeNodes::Count() const
{
    int count = 0;
    Walk(roots_, [&](TTreeNode&) {
        ++count;
        return true;
    });
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const
{
    TTreeNode* found = nullptr;
    int at = 0;
    Walk(roots_, [&](TTreeNode& node) {
        if (at++ == index)
            found = &node;
        return found == nullptr;
    });
    if (!found)
        throw EListError("Tree node index out of bounds (" + std::to_string(index) + ")");
    return found;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, std::string_view text)
{
    return AddChild(sibling ? sibling->Parent() : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, std::string_view text)
{
    auto node = std::make_unique<TTreeNode>(*this, parent);
    node->text_ = std::string(text);
    std::vector<TTreeNode*>& siblings = SiblingsOf(parent);
    siblings.push_back(node.get());
    if (owner_.HandleAllocated() && (!parent || parent->item_)) {
        try {
            owner_.InsertNodeWindow(*node);
        } catch (...) {
            siblings.pop_back();
            throw;
        }
    }
    return node.release();
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || &node->owner_ != this)
        return;
    if (node->item_)
        SendMessageA(owner_.WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
    if (IsWithin(owner_.savedSelected_, node))
        owner_.savedSelected_ = nullptr;
    std::vector<TTreeNode*>& siblings = SiblingsOf(node->parent_);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    delete node;
}

void TTreeNodes::Clear()
{
    if (owner_.HandleAllocated())
        SendMessageA(owner_.WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    owner_.savedSelected_ = nullptr;
    for (TTreeNode* node : roots_)
        delete node;
    roots_.clear();
}

void TTreeNodes::BeginUpdate() { updating_.Begin(owner_); }

void TTreeNodes::EndUpdate() { updating_.End(owner_); }

// ============================================================ TTreeView

void TTreeView::Publish(ui::TPublisher<TTreeView>& p)
{
    p.Boolean("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(1);
    p.Boolean("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(1);
    p.Boolean("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(1);
    p.Boolean("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(0);
    p.Boolean("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(1);
    p.Enum("BorderStyle", ui::BorderStyleInfo, &TTreeView::BorderStyle, &TTreeView::SetBorderStyle).Default(bsSingle);
    p.Boolean("TabStop", &TTreeView::TabStop, &TTreeView::SetTabStop).Default(1);
    p.Event("OnChange", &TTreeView::OnChange);
    p.Event("OnExpanded", &TTreeView::OnExpanded);
    p.Event("OnCollapsed", &TTreeView::OnCollapsed);
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TTreeNodes>(*this))
{
    ui::LoadCommonControls(ICC_TREEVIEW_CLASSES);
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView()
{
    // The window goes while the nodes it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void TTreeView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = WC_TREEVIEWA;
    params.OwnClass = false;
    if (showLines_)
        params.Style |= TVS_HASLINES;
    if (showButtons_)
        params.Style |= TVS_HASBUTTONS;
    if (showRoot_)
        params.Style |= TVS_LINESATROOT;
    if (!readOnly_)
        params.Style |= TVS_EDITLABELS;
    if (!hideSelection_)
        params.Style |= TVS_SHOWSELALWAYS;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColors();
    SendMessageA(WindowHandle(), WM_SETREDRAW, FALSE, 0);
    for (TTreeNode* node : items_->roots_)
        InsertNodeWindow(*node);
    SendMessageA(WindowHandle(), WM_SETREDRAW, TRUE, 0);
    if (TTreeNode* selected = std::exchange(savedSelected_, nullptr))
        SetSelected(selected);
}

void TTreeView::InsertNodeWindow(TTreeNode& node)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = node.parent_ ? node.parent_->item_ : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = node.text_.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    node.item_ = reinterpret_cast<HTREEITEM>(
        SendMessageA(WindowHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node.item_)
        throw EOutOfResources("The tree view cannot take more nodes");
    for (TTreeNode* child : node.children_)
        InsertNodeWindow(*child);
    // Only a node with its children in place can open.
    if (node.expanded_)
        SendMessageA(WindowHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node.item_));
}

void TTreeView::ForgetItems(TTreeNode& node, bool keepState)
{
    if (keepState)
        node.expanded_ = node.Expanded();
    node.item_ = nullptr;
    for (TTreeNode* child : node.children_)
        ForgetItems(*child, keepState);
}

void TTreeView::DestroyWnd()
{
    // Only a window made again needs the expanded nodes and the selection back.
    const bool keepState = HandleAllocated() && !ComponentState().Contains(csDestroying);
    if (keepState)
        savedSelected_ = Selected();
    for (TTreeNode* node : items_->roots_)
        ForgetItems(*node, keepState);
    TWinControl::DestroyWnd();
}

TTreeNode* TTreeView::Selected() const
{
    if (!HandleAllocated())
        return savedSelected_;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item)
        return nullptr;
    TVITEMA info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    if (!SendMessageA(WindowHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
        return nullptr;
    return NodeOf(info.lParam);
}

void TTreeView::SetSelected(TTreeNode* node)
{
    if (node && &node->owner_ != items_.get())
        return;
    if (!HandleAllocated()) {
        savedSelected_ = node;
        return;
    }
    SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TTreeView::SetStyleFlag(bool& flag, bool value)
{
    if (flag == value)
        return;
    flag = value;
    RecreateWnd();
}

void TTreeView::SetShowLines(bool value) { SetStyleFlag(showLines_, value); }

void TTreeView::SetShowButtons(bool value) { SetStyleFlag(showButtons_, value); }

void TTreeView::SetShowRoot(bool value) { SetStyleFlag(showRoot_, value); }

void TTreeView::SetReadOnly(bool value) { SetStyleFlag(readOnly_, value); }

void TTreeView::SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }

void TTreeView::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TTreeView::ApplyColors()
{
    if (!HandleAllocated())
        return;
    SendMessageA(WindowHandle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ui::ColorToRGB(Color())));
    SendMessageA(WindowHandle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ui::ColorToRGB(Font().Color())));
}

void TTreeView::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyColors();
}

void TTreeView::FontChanged()
{
    TWinControl::FontChanged();
    ApplyColors();
}

void TTreeView::WndProc(TMessage& message)
{
    // Long parameters below 64 KiB are never pointers; other messages share
    // this number with CN_NOTIFY.
    if (message.Msg == CN_NOTIFY && static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        // The A and W forms of these notifications differ only in text pointers, which are not read.
        const auto* change = reinterpret_cast<const NMTREEVIEWA*>(message.LParam);
        switch (header->code) {
        case NM_CLICK:
            Click();
            return;
        case NM_DBLCLK:
            OnDblClick(this);
            return;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            OnChange(this, NodeOf(change->itemNew.lParam));
            return;
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW:
            if (TTreeNode* node = NodeOf(change->itemNew.lParam)) {
                if (change->action & TVE_EXPAND)
                    OnExpanded(this, node);
                else if (change->action & TVE_COLLAPSE)
                    OnCollapsed(this, node);
            }
            return;
        case TVN_BEGINLABELEDITA:
        case TVN_BEGINLABELEDITW:
            message.Result = readOnly_ ? TRUE : FALSE;
            return;
        case TVN_ENDLABELEDITA: {
            const auto* info = reinterpret_cast<const NMTVDISPINFOA*>(message.LParam);
            if (info->item.pszText) {
                if (TTreeNode* node = NodeOf(info->item.lParam))
                    node->text_ = info->item.pszText;
                message.Result = TRUE;
            }
            return;
        }
        default:
            break;
        }
    }
    TWinControl::WndProc(message);
}
