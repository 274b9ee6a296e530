#pragma once
// The groups of a grouped view over its row index: each group is a run of the index (start,
// count) with an expanded flag, and the place of its group row in the visible list. A group
// shows its group row, its data rows while expanded, and its footer as the footer mode says.
// It costs a few words per group and nothing per row, so expanding every group is cheap.

#include "platform/grid/GridOptions.h"

#include <QtGlobal>
#include <vector>

namespace pensilio::grid {

struct GroupEntry
{
    quint32 start = 0; // first position in the row index
    quint32 count = 0;
    quint32 firstVisible = 0; // visible index of the group row
    bool expanded = false;
};

class GroupIndex
{
public:
    enum class SlotKind : quint8
    {
        Group,
        Data,
        Footer
    };
    struct Slot
    {
        SlotKind kind = SlotKind::Group;
        int group = -1;
        size_t position = 0; // in the row index, for a data slot
    };

    void clear() { m_groups.clear(), m_visible = 0; }
    void assign(std::vector<GroupEntry> groups);
    void setFooterMode(GroupFooterMode mode);

    int groupCount() const { return static_cast<int>(m_groups.size()); }
    const GroupEntry &group(int g) const { return m_groups[static_cast<size_t>(g)]; }
    int visibleCount() const { return static_cast<int>(m_visible); }
    int footerRows(int g) const;
    int visibleRows(int g) const; // the group row, its shown data rows and its footer

    Slot slotAt(int visibleIndex) const;
    int groupAt(size_t position) const; // the group holding a place of the row index
    int groupRowIndex(int g) const { return static_cast<int>(group(g).firstVisible); }
    // The visible index of a place of the row index; -1 while its group is collapsed.
    int visibleIndexOf(size_t position) const;

    void setExpanded(int g, bool expanded);
    void setAllExpanded(bool expanded);
    // A row entered the index at 'position': it joins group g, or starts a new group g there.
    void insertRow(size_t position, int g, bool newGroup);
    // The row at 'position' left the index; its group goes when it was the last one.
    void removeRow(size_t position);

    size_t memoryBytes() const { return m_groups.capacity() * sizeof(GroupEntry); }

private:
    void renumber(size_t from);

    std::vector<GroupEntry> m_groups;
    GroupFooterMode m_footers = GroupFooterMode::Never;
    quint32 m_visible = 0;
};

} // namespace pensilio::grid
