// The popup menu's item record, as far as the command items use it: the state flags byte
// with its checked bit. The popup menu window and the rest of the record grow here with the
// menus themselves.
#pragma once

#include "framework/afxwin.h"

class CExtPopupMenuWnd {
 public:
  struct MENUITEMDATA {
    // State flags: bit 0 always enabled, bit 4 checked, bit 5 radio mark, bit 6 enabled,
    // bit 7 indeterminate check. A new item is enabled.
    enum : BYTE {
      kStateAlwaysEnabled = 0x01,
      kStateChecked = 0x10,
      kStateRadio = 0x20,
      kStateEnabled = 0x40,
      kStateIndeterminate = 0x80,
    };

    // Sets or clears the item's own check mark; returns the mark it had before.
    bool PutCheckMark(bool on) {
      const bool before = (m_nStateFlags & kStateChecked) != 0;
      m_nStateFlags = static_cast<BYTE>(on ? (m_nStateFlags | kStateChecked) : (m_nStateFlags & ~kStateChecked));
      return before;
    }
    bool IsChecked() const { return (m_nStateFlags & kStateChecked) != 0; }

    BYTE m_nStateFlags = kStateEnabled;
  };
};
