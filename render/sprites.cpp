#include "sprites.h"

BodySprite bodySprites[spriteCount];
