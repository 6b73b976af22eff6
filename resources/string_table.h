// Ids of the program's string table (string_table.rc).
#pragma once

#define IDS_APP_TITLE 100

// Addresses of the maker's pages and files.
#define IDS_DOWNLOAD_PAGE_URL 273
#define IDS_SUPPORT_FORUM_URL 363
#define IDS_HOME_PAGE_URL 364
#define IDS_UPDATE_FILE_URL 372

// Progress dialogs.
#define IDS_EVALUATING 300
#define IDS_CREATING_ITEMS 301
#define IDS_SIMULATION_IN_PROGRESS 302
#define IDS_PERCENT_COMPLETE 313

// Equity graph dialog and its chart.
#define IDS_CHART_FILE_FILTER 304
#define IDS_CHART_SAVE_ERROR 305
#define IDS_TIP_CALCULATE_GRAPH 310
#define IDS_TIP_SAVE_GRAPH 311
#define IDS_VS 312
#define IDS_ON_BOARD 331
#define IDS_GRAPH_EQUITY 385
#define IDS_PERCENTAGE_OF_FLOPS 386
#define IDS_PERCENTAGE_OF_TURNS 387
#define IDS_PERCENTAGE_OF_RIVERS 388
#define IDS_EQUITY_GRAPH_TITLE 389
#define IDS_LEGEND_RANGE_VS_RANGE 390
#define IDS_LEGEND_HAND_VS_HAND 391
#define IDS_LEGEND_HAND_VS_RANGE 394

// Results shared by the main dialog and the analysis dialogs.
#define IDS_NO_RESULTS 307
#define IDS_BOARD 332
#define IDS_PREFLOP 348
#define IDS_EQUITY 349
#define IDS_FLOP 365
#define IDS_TURN 366
#define IDS_RIVER 367
#define IDS_DEAD_CARDS 368
#define IDS_HAND_HEADER 375
#define IDS_SCOOPS 395
#define IDS_WINS_HI 396
#define IDS_TIES_HI 397
#define IDS_WINS_LO 398
#define IDS_TIES_LO 399
#define IDS_WINS 400
#define IDS_TIES 401
#define IDS_GAME_OMAHA 402
#define IDS_GAME_OMAHA_HILO 403

// Card selection dialog: caption of its next-street button.
#define IDS_NEXT_TURN 308
#define IDS_NEXT_RIVER 309

// Flop outs counter and hand versus hand.
#define IDS_STRAIGHT_DRAW_PROBABILITIES 306
#define IDS_TIP_RESET_HAND 314
#define IDS_TIP_RESET 315
#define IDS_TIP_STRAIGHT_OUTS 316
#define IDS_TIP_NUT_STRAIGHT_OUTS 317
#define IDS_TIP_FLUSH_OUTS 318
#define IDS_TIP_NUT_FLUSH_OUTS 319
#define IDS_COUNT 377
#define IDS_PERCENT 378
#define IDS_FLOPPED_STRAIGHT 379
#define IDS_FLOPPED_NUT_STRAIGHT 380
#define IDS_STRAIGHT_OUTS 381
#define IDS_NUT_STRAIGHT_OUTS 382

// Hand range explorer: item limit and sort order (321 + k sorts by equity against k + 1
// random hands, 330 by the outside ranking).
#define IDS_LIMIT_ALL 320
#define IDS_SORT_VS_RANDOM_FIRST 321
#define IDS_SORT_OUTSIDE_RANKING 330
// The explorer's notice for a range text the range language cannot read (%s: the text).
#define IDS_INVALID_RANGE_TEXT 9110

// Percentile dialog: rankings (351 + k is ranking k + 1, 360 the outside ranking 0).
#define IDS_RANKING_VS_RANDOM_FIRST 351
#define IDS_RANKING_OUTSIDE 360

// Explorer button tooltips of the range dialogs.
#define IDS_TIP_HANDRANGE_EXPLORER 350
#define IDS_TIP_HANDRANGE_EXPLORER_PREDEFINED 361

// Summary of a selection ("Distinct hands", "Combos"): classes and hands.
#define IDS_DISTINCT_HANDS 383
#define IDS_COMBOS 384

// Main dialog: button tooltips, the all-hands word, scenario files.
#define IDS_TIP_HAND_RANGE_EXPLORER 334
#define IDS_TIP_FLOP_CARD_SELECTION 335
#define IDS_TIP_CLEAR_FLOP 336
#define IDS_TIP_TURN_CARD_SELECTION 337
#define IDS_TIP_CLEAR_TURN 338
#define IDS_TIP_RIVER_CARD_SELECTION 339
#define IDS_TIP_CLEAR_RIVER 340
#define IDS_TIP_DEAD_CARD_SELECTION 341
#define IDS_TIP_CLEAR_DEAD 342
#define IDS_TIP_SEAT_MENU 343
#define IDS_TIP_RANDOM 344
#define IDS_TIP_CLEAR 345
#define IDS_TIP_ALL_STREETS 346
#define IDS_SCENARIO_EXISTS 347
#define IDS_RANDOM_KEYWORD 376
#define IDS_SCENARIO_EXTENSION 392
#define IDS_SCENARIO_FILTER 393

// About box and update dialog (369 and 370 carry bold codes around their %s).
#define IDS_VERSION_PREFIX 333
#define IDS_CURRENT_VERSION 369
#define IDS_NEWER_VERSION 370
#define IDS_SUPPRESS_VERSION 371

// Labels of the HTML message box's buttons.
#define IDS_MESSAGE_BOX_OK 9001
#define IDS_MESSAGE_BOX_YES 9007
#define IDS_MESSAGE_BOX_NO 9008

// The framework's name for a document without a file.
#ifndef AFX_IDS_UNTITLED
#define AFX_IDS_UNTITLED 0xF003
#endif
