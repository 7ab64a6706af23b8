#include "editor/entity_outlines.h"

const OutlineSource kOutlineSources[kOutlineCount] = {
    {"Data/Objects/BlueTurret.obj", 0.25f, 0},
    {"Data/Objects/ForceField.obj", 0.25f, 1},
    {"Data/Objects/Button.obj", 0.25f, 2},
    {"Data/Objects/Arrow.obj", 0.25f, 3},
    {"Data/Objects/Fuel.obj", 0.125f, 4},
    {"Data/Objects/SpaceMan01.obj", 0.125f, 5},
    {"Data/Objects/Generator.obj", 0.25f, 6},
    {"Data/Objects/BlueTank.obj", 0.175f, 7},
    {"Data/Objects/RedTurret.obj", 0.25f, 8},
    {"Data/Objects/DepthCharge.obj", 0.175f, 9},
    {"Data/Objects/Tree.obj", 0.175f, 12},
    {"Data/Objects/Boulder.obj", 0.25f, 13},
    {"Data/Objects/BoulderLarge.obj", 0.175f, 14},
    {"Data/Objects/Volcano.obj", 0.25f, 15},
    {"Data/Objects/Ufo.obj", 0.1f, 16},
    {"Data/Objects/GreenTurret.obj", 0.25f, 17},
    {"Data/Objects/TargetInfo.obj", 0.25f, 19},
    {"Data/Objects/Beacon1.obj", 0.375f, 20},
};

void LoadEntityOutlines(LineModel* outlines)
{
    for (int i = 0; i < kOutlineCount; ++i)
    {
        // A failed load only means the kind is drawn without its outline.
        LineModel::Load(kOutlineSources[i].path, outlines[i]);
        LineModel::Scale(outlines[i], kOutlineSources[i].scale);
    }
}

int OutlineIndexForKind(std::int32_t kind)
{
    for (int i = 0; i < kOutlineCount; ++i)
    {
        if (kOutlineSources[i].kind == kind)
            return i;
    }
    return -1;
}
