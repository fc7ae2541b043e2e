// The painters of the game's pictures: one function per picture file, each returning the
// finished picture. pictures.cpp maps them to the files of the slot table.
// Depends on: canvas.h.
#pragma once
#include "tools/assetgen/pictures/canvas.h"

// Menu pages (pages.cpp): the main menu with item 0..3 selected, about, help.
Canvas paintMenuPage(int selectedItem);
Canvas paintAboutPage();
Canvas paintHelpPage();

// The first-person overlays (hands.cpp), on black for additive drawing.
Canvas paintHand();
Canvas paintFist();

// The sky box (sky.cpp).
Canvas paintSkyTop();
Canvas paintSkyNorth();
Canvas paintSkyEast();
Canvas paintSkySouth();
Canvas paintSkyWest();

// Surfaces of the street (surfaces.cpp).
Canvas paintPavement();
Canvas paintAsphalt();
Canvas paintRails();
Canvas paintColumn();
Canvas paintConcrete();
Canvas paintLibraryWall();
Canvas paintCeilingTiles();
Canvas paintBrickWall();
Canvas paintRoughConcrete();

// Building fronts (facades.cpp).
Canvas paintWindowBand();
Canvas paintUpperWindows();
Canvas paintBridgeSide();
Canvas paintHouseRow();
Canvas paintEndFacade();

// Stands, signs and small pictures (stands.cpp).
Canvas paintStandFront();
Canvas paintStandLeftSide();
Canvas paintStandWall();
Canvas paintStandPicture();
Canvas paintKebabSign();
Canvas paintRocket();
