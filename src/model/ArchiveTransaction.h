#pragma once

#include "platform/ArchiveDatabase.h"

// All archive changes made while it lives become one: Commit() keeps them, leaving the scope
// without Commit() (an error was thrown) undoes them. Transactions nest; only the outermost
// commit writes the file. A closed archive raises aeNotOpen; a commit that another program's
// lock keeps from the file raises aeBusy, everything undone.
//   CArchiveTransaction transaction(g_Connection->Database());
//   ... save rows ...      // a CError here undoes every row of the transaction
//   transaction.Commit();
class CArchiveTransaction
{
public:
    explicit CArchiveTransaction(Platform::CArchiveDatabase &database);
    ~CArchiveTransaction();
    CArchiveTransaction(const CArchiveTransaction &) = delete;
    CArchiveTransaction &operator=(const CArchiveTransaction &) = delete;

    void Commit();

private:
    Platform::CArchiveDatabase &m_Database;
    bool m_Open = false;
};
