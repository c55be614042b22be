#include "SkinResources.h"

#include <QtGlobal>

void initSkinResources() {
    Q_INIT_RESOURCE(skin);
}
