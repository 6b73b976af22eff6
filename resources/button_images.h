// Ids of the image-button pictures (button_images.rc). Magenta RGB(255, 0, 255) is
// transparent in every one of them.
#pragma once

#define IDB_BUTTON_EVALUATE 2004          // "E&valuate"
#define IDB_BUTTON_RANDOM 2006            // seat: the all-hands word
#define IDB_BUTTON_CLEAR 2007             // seat, board and dead cards: clear
#define IDB_BUTTON_STOP 2008              // "&Stop" and "&Clear all"; 25 x 22, 8 bits
#define IDB_BUTTON_NEXT_STREET 2009       // card selection: next street
#define IDB_BUTTON_RESET 2012             // hand analysis dialogs: reset
#define IDB_BUTTON_CARD_SELECTION 2013    // turn, river and dead-card pickers
#define IDB_BUTTON_FLOP_SELECTION 2014    // flop picker
#define IDB_BUTTON_COPY 2015              // copy the result as text or BBCode
#define IDB_BUTTON_EXPLORER 2018          // hand range explorer
#define IDB_BUTTON_STREETS_SHOW 2019      // equities on all streets: currently hidden
#define IDB_BUTTON_STREETS_HIDE 2020      // equities on all streets: currently shown
#define IDB_BUTTON_MARK_OUTS 2476         // flop outs counter: mark outs on the grid
#define IDB_BUTTON_CALCULATE 2477         // equity graph: "&Calculate"
#define IDB_BUTTON_SCREENSHOT 2478        // equity graph: "&Save as screenshot"
#define IDB_BUTTON_SEAT_MENU 2479         // seat: card, range and percentile menu
