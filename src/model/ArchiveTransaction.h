#pragma once

#include "model/Archive.h"

// All archive changes made while it lives become one: Commit() keeps them, leaving the scope
// without Commit() (an error was thrown) undoes them. Transactions nest; only the outermost
// commit writes the file.
//   CArchiveTransaction transaction;
//   ... save rows ...      // a CError here undoes every row of the transaction
//   transaction.Commit();
class CArchiveTransaction
{
public:
    explicit CArchiveTransaction(CArchive &archive = *g_Connection);
    ~CArchiveTransaction();
    CArchiveTransaction(const CArchiveTransaction &) = delete;
    CArchiveTransaction &operator=(const CArchiveTransaction &) = delete;

    void Commit();

private:
    CArchive &m_Archive;
    bool m_Open = false;
};
