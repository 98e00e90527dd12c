// The tree view (the system's SysTreeView32): nodes with texts and children,
// expanded or collapsed, one of them selected.
#pragma once

#include "ui/Control.h"
#include "ui/RedrawLock.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTreeNodes;
class TTreeView;

class TTreeNode : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TTreeNode(TTreeNodes& owner, TTreeNode* parent);
    ~TTreeNode() override;

    const std::string& Text() const { return text_; }
    void SetText(std::string_view value);
    // Null for a top-level node.
    TTreeNode* Parent() const { return parent_; }
    // The children.
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(static_cast<std::size_t>(index)); }
    bool HasChildren() const { return !children_.empty(); }
    // Place among its siblings, and depth (0 for a top-level node).
    int Index() const;
    int Level() const;
    // A node without children cannot be expanded while the tree has a window.
    bool Expanded() const;
    void SetExpanded(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    // The system's item while the tree has a window, else null.
    HTREEITEM ItemId() const { return item_; }
    TTreeNodes& Owner() const { return owner_; }
    TTreeView& TreeView() const;
    TPersistent* GetOwner() const override;

private:
    friend class TTreeNodes;
    friend class TTreeView;

    TTreeNodes& owner_;
    TTreeNode* parent_;
    std::vector<TTreeNode*> children_;
    std::string text_;
    void* data_ = nullptr;
    HTREEITEM item_ = nullptr;
    // Kept while the tree has no window.
    bool expanded_ = false;
};

class TTreeNodes : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TTreeNodes(TTreeView& owner) : owner_(owner) {}
    ~TTreeNodes() override;

    // All nodes, and a node by its place in the tree read top to bottom with
    // every node expanded.
    int Count() const;
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    // Top-level nodes.
    int RootCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* Root(int index) const { return roots_.at(static_cast<std::size_t>(index)); }
    // A new last node at sibling's level (a top-level one when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, std::string_view text);
    // A new last child of parent (a top-level node when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, std::string_view text);
    // Frees the node with its children.
    void Delete(TTreeNode* node);
    void Clear();
    // Suspends repainting while many nodes change.
    void BeginUpdate();
    void EndUpdate();
    TTreeView& Owner() const { return owner_; }
    TPersistent* GetOwner() const override;

private:
    friend class TTreeNode;
    friend class TTreeView;
    std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }

    TTreeView& owner_;
    std::vector<TTreeNode*> roots_;
    ui::UpdateNesting updating_;
};

using TTVChangedEvent = TEvent<TObject*, TTreeNode*>;
using TTVExpandedEvent = TEvent<TObject*, TTreeNode*>;

class TTreeView : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTreeView>& p);

    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes& Items() const { return *items_; }
    // The selected node, or null.
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);

    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    // The plus and minus boxes beside nodes with children.
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    // Lines and buttons for the top-level nodes too.
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    // No editing of node texts.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    void WndProc(TMessage& message) override;

    // Another node became the selected one.
    TTVChangedEvent OnChange;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;

    void InsertNodeWindow(TTreeNode& node);
    void ForgetItems(TTreeNode& node, bool keepState);
    void ApplyColors();
    void SetStyleFlag(bool& flag, bool value);
    static TTreeNode* NodeOf(LPARAM param) { return reinterpret_cast<TTreeNode*>(param); }

    std::unique_ptr<TTreeNodes> items_;
    // The selection while the tree has no window.
    TTreeNode* savedSelected_ = nullptr;
    bool showLines_ = true;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    TBorderStyle borderStyle_ = bsSingle;
};
