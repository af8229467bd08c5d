#include "engine/SdkParam.h"

#include "engine/Sudoku.h"

TDYN_IMPLEMENT_NOCREATE(SdkParam, "TMvcParam");

SdkParam::SdkParam(Sudoku &game, bool success, unsigned changes, SdkDigit digit, unsigned row,
                   unsigned col)
    : m_game(game), m_success(success), m_changes(changes), m_digit(digit), m_row(row), m_col(col),
      m_level(0)
{}

SdkParam::SdkParam(Sudoku &game, int level, bool success)
    : m_game(game), m_success(success), m_changes(0), m_digit(SdkDigitEmpty), m_row(0), m_col(0),
      m_level(level)
{}

// The game's event table lives as long as the library is loaded: registered
// with the hub system on load, unregistered on unload.
class Sudoku::EvTabRegistration
{
public:
    EvTabRegistration()
    {
        TMvc::RegisterEventTable(&Sudoku::m_stcoEvTab);
        Sudoku::TMvcEventsRegister();
    }
    ~EvTabRegistration() { TMvc::UnregisterEventTable(&Sudoku::m_stcoEvTab); }
    EvTabRegistration(const EvTabRegistration &) = delete;
    EvTabRegistration &operator=(const EvTabRegistration &) = delete;
};

// Defined in this order on purpose: the table exists before it is registered.
TMvcEventTable Sudoku::m_stcoEvTab("Sudoku");
Sudoku::EvTabRegistration Sudoku::m_stcoEvTabRegistration;

void Sudoku::TMvcEventsRegister()
{
    for (const char *name : {SDK_START_LOADING, SDK_END_LOADING, SDK_START_SOLVING, SDK_END_SOLVING,
                             SDK_TEST_VALUE, SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
        m_stcoEvTab.RegisterEventType(name, "SdkParam");
}
