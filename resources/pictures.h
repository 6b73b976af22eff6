// Ids of the larger pictures (pictures.rc).
#pragma once

// Splash screens, shaped by their magenta pixels. The start-up one leaves the text rectangle
// (22, 220)-(400, 240) dark for white text, the about box (6, 280)-(400, 300) light for its
// version line.
#define IDB_SPLASH_START 2000
#define IDB_SPLASH_ABOUT 2016

// Banners of the main dialog; a click in their top-left 305 x 46 pixels opens the home page.
#define IDB_BANNER_HI 2474
#define IDB_BANNER_HILO 3452

// Background of the equity graph, 602 x 479: plot area (38, 73)-(588, 433).
#define IDB_GRAPH_BACKGROUND 2002

// 16 x 16 images of the predefined-ranges tree: 0 group, 1 range, 2 + (marker letter - 'a').
#define IDB_TREE_IMAGES 2001

// The progress dialog's animation: resource type "GIF", 32 x 32, 12 frames of 100 ms.
#define IDR_PROGRESS_ANIMATION 103
