#pragma once
// The skin's pictures (":/skin/...") and icons (":/icons/..."), compiled into a static library.
// A static archive's resource object is linked only when something refers to it, so every
// program that shows the skin calls this once before loading a picture.
void initSkinResources();
