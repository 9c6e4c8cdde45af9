#pragma once

#include "core/rpg/randomsource.h"

#include <QList>

namespace kazari::test
{

/// Hands out the values a test scripted, in order; records every range asked for. A
/// value outside the asked range, or a draw past the end of the script, is counted as a
/// fault (and 0 is returned).
class ScriptedRandom : public RandomSource
{
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(QList<int> values)
        : m_values(std::move(values))
    {
    }

    void push(std::initializer_list<int> values) { m_values.append(values); }
    void push(const QList<int> &values) { m_values.append(values); }

    int random(int n) override
    {
        asked.append(n);
        if (m_next >= m_values.size()) {
            ++faults;
            return 0;
        }
        const int v = m_values.at(m_next++);
        if (v < 0 || v >= n) {
            ++faults;
            return 0;
        }
        return v;
    }

    qsizetype remaining() const { return m_values.size() - m_next; }

    QList<int> asked;
    int faults = 0;

private:
    QList<int> m_values;
    qsizetype m_next = 0;
};

} // namespace kazari::test
