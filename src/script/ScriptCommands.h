#pragma once

#include <cstdint>
#include <string_view>

class GAMEMAIN;
class SCR_FILE_DATA;

// A command handler: one call for the slot nSlot of the running script. 0 the
// script goes on, 1 it goes on after a warning, -1 failure.
using SCR_PROC = std::int32_t (*)(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// The handler of a command word, in any letter case; null for a word that is not
// one of the 68.
SCR_PROC FindScrProc(std::string_view word);

// A block's end marker met in normal execution: the block is over and the marker
// has nothing left to do but free its slot.
std::int32_t ScrBlockEnd(SCR_FILE_DATA* pScr, std::int32_t nSlot);

// ChoiceCommands.cpp
std::int32_t SelectEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t SelectStartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t SelectWait(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t SelectBranchProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// ConditionCommands.cpp
std::int32_t EndIfProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t Love_Jadge_EndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t IfProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t ElseIfProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t BrIf_CProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t ElseIf_CProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t ElseProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t Love_Jadge_StartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// FlowCommands.cpp
std::int32_t RandomStartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t RandomBranchProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t RandomEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t JumpProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t GoToProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t FileChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t FileChangeSpecialProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t GoToClothesSelectProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t EndScriptProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t KeyWaitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t TimeWaitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// MessageCommands.cpp
std::int32_t MsgDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t MsgClearProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// FadeCommands.cpp
std::int32_t FadeInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t FadeOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// CharacterCommands.cpp
std::int32_t CharInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CharOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CharMoveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CharBodyChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CharFaceChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CharFaceBodyChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t CtrlEyeAnimationProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// WindowCommands.cpp
std::int32_t MsgWndOpenProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t MsgWndCloseProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t DayWndOpenProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t DayWndCloseProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// DataCommands.cpp
std::int32_t LoadDataProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t UnLoadDataProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// SoundCommands.cpp
std::int32_t PlayBGMProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t StopBGMProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PlayWaveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t StopWaveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PlayVoiceProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t StopVoiceProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// CostumeCommands.cpp
std::int32_t ClothesDataChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t ClothesDataSortProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t GameClearFlgONProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// VariableCommands.cpp
std::int32_t VarAddProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t VarChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t VarFlgONProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t VarFlgOFFProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// BackgroundCommands.cpp
std::int32_t BGDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t WipeOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t WipeInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t WipeEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t WipeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// MosaicCommands.cpp
std::int32_t MosaicExpansionProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t MosaicReductionProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t MosaicReloadProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t MosaicEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);

// PictureLayerCommands.cpp
std::int32_t PrimAniInitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PrimAniSetProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PrimAniDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PrimAniUnDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PrimGraphicDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
std::int32_t PrimGraphicUnDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot);
// The picture layers set up over picture nSlot of kind nKind (REG_TEX or REG_SURF)
// hold only frames inside it, as far as its size is known: a command that loads the
// picture for the first time checks the frames set before.
bool LayerFramesFitPicture(const GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot);
